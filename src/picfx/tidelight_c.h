#pragma once
// Tidelight_C, the picture-effects class. Bound to one picture box, it keeps
// the box's picture as three pixel planes (initial, working, undo), lets the
// pixel routines change the working plane, and draws a plane back onto the
// box. Every effect method follows one protocol: with AutoDraw on, save the
// working plane to the undo plane, run the routine, draw the working plane.
//
// Problems are reported in message boxes titled "clsASM" (in English: the
// program's name); a failed draw ends the program.
#include <array>
#include <cstdint>
#include <string_view>
#include <optional>

#include "picfx/pic_bits.h"
#include "picfx/routine_params.h"
#include "toolkit/picture_box.h"
#include "toolkit/platform.h"
#include "base/random.h"
#include "shared/ui_texts.h"

namespace tl {

class Tidelight_C {
 public:
  // `random` is the program's general generator, which the incremental
  // effects reset. Both must outlive the object, and a bound box must
  // outlive its binding. Messages and dialogs speak the texts' language.
  Tidelight_C(Platform& platform, RandomGenerator& random,
              const UiTexts& texts = TextsFor(UiLanguage::Japanese));
  ~Tidelight_C();
  Tidelight_C(const Tidelight_C&) = delete;
  Tidelight_C& operator=(const Tidelight_C&) = delete;

  // Binds the box: reads its current image into all three planes and draws
  // plane 3. On failure the object is left unbound, with a message.
  void PictureBox(tl::PictureBox& picBox);

  // On: draws plane 2. Off: saves plane 2 to plane 3, so that UndoLast later
  // undoes everything done while off. Neither checks the binding; without a
  // bound box nothing is drawn.
  void AutoDraw(bool autoOn);
  bool AutoDraw() const { return autoDraw_; }

  // Draws plane 2, then lets pending window messages run.
  void DrawNow();

  // The palette routine with OpCode and Amount; colorX < 0 means the box's
  // background colour.
  void ASM_PalEffects(int32_t opCode, int16_t amount, int32_t colorX);
  // The same with the routine's first argument word given: the start of the
  // noise of opcode 10, which the method above always passes as 2.0's bits.
  void ASM_PalEffects(int32_t opCode, int16_t amount, int32_t colorX, uint32_t noiseSeed);
  // The palette routine after a fixed reset of the program's generator, so
  // the noise opcode 10 gives the same pattern on every call.
  void ASM_IncrementalPalEffects(int32_t opCode, int16_t amount);
  // The pixel routine's filters and distortions (opcodes 0 to 5; others
  // change nothing); colorX < 0 means the box's background colour.
  void ASM_PixelEffects(int32_t opCode, int16_t amount, int32_t colorX);
  // Painting with colorX as it comes: dots (opcode 0, Amount x 20 of them at
  // random places), lines, grid, glows, ring (opcodes 1 to 9; others change
  // nothing). A missing centre is the middle of the picture; centerY counts
  // from the top edge.
  void ASM_ColorXEffects(int32_t opCode, int32_t colorX, int16_t amount,
                         std::optional<double> centerX = std::nullopt,
                         std::optional<double> centerY = std::nullopt);
  // Turns the undo plane (or, with sourcePic, the picture as bound) by
  // Angle degrees, clockwise on screen. Angle 0 does nothing at all; with
  // sourcePic no undo copy is made.
  void ASM_Rotate(int16_t angle, bool antiAlias, bool sourcePic, int32_t colorX,
                  std::optional<double> centerX = std::nullopt,
                  std::optional<double> centerY = std::nullopt);
  // Zooms the undo plane by Factor, in steps of one tenth, about the centre.
  void ASM_Magnify(float factor, std::optional<double> centerX, std::optional<double> centerY,
                   int16_t antiAlias, int32_t colorX);

  void UndoLast();          // plane 3 to plane 2, then draw plane 2
  void ResetPic();          // plane 1 to planes 2 and 3, then draw plane 1
  void UndoLastDontDraw();  // plane 3 to plane 2

  // The common dialogs on behalf of the bound box (pic_dialogs.cpp). Open
  // loads a picture file into the box and binds again; Save writes what was
  // last drawn as a BMP file; an empty caption gives the default title.
  void dialogShowOpen(std::string_view caption = {});
  void dialogShowSave(std::string_view caption = {});
  // The chosen colour (0x00BBGGRR), -1 when cancelled, 0 when unbound. The
  // sixteen custom colours are kept for the next call.
  int32_t dialogChoseColor();
  const std::array<uint32_t, 16>& CustomColors() const { return customColors_; }

  // Inspection, for tests and the benchmark.
  bool Bound() const { return box_ != nullptr; }
  const tl::PicBits& Bits() const { return bits_; }
  const RoutineParams& Params() const { return params_; }

 private:
  bool NotAssigned();
  bool CheckColorDepth();
  bool LoadPixels();
  bool GETDIBS(const Surface& bitmap);
  // `boxHasPlane`: the caller has already written the plane's rows into the
  // box's pixels, so only the rest of the draw remains.
  bool Blit(int plane, bool boxHasPlane = false);
  bool BoxMatchesPlanes() const;
  void CopyPlane(int from, int to) { bits_.CopyPlane(from, to); }

  // The effect protocol around a routine call.
  bool BeginEffect();
  void EndEffect(bool boxHasPlane2 = false);
  // Runs the palette routine; true when it has also written plane 2 into the
  // box's pixels (see pal_effects.cpp).
  bool RunPalRoutine(uint32_t a);
  int32_t BackColorRef() const;
  // colorX, or the box's background colour when colorX is negative.
  int32_t FillColour(int32_t colorX) const { return colorX < 0 ? BackColorRef() : colorX; }
  // A routine call over the planes as they stand.
  RoutineCall PlanesCall(uint32_t a = 0, uint32_t b = 0, uint32_t c = 0) {
    return CallOn(params_, bits_.Block(), a, b, c);
  }
  void Report(const char* text, MessageIcon icon);

  Platform& platform_;
  RandomGenerator& random_;
  const UiTexts& texts_;
  tl::PictureBox* box_ = nullptr;
  int32_t w_ = 0, h_ = 0;
  tl::PicBits bits_;
  RoutineParams params_;
  bool autoDraw_ = true;
  std::array<uint32_t, 16> customColors_{};
};

}  // namespace tl
