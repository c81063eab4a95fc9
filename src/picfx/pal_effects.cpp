// Tidelight_C's two palette effects.
#include <algorithm>
#include <bit>
#include <cstring>

#include "gfx/pixel_view.h"
#include "picfx/pal_routine.h"
#include "picfx/routine_table.h"
#include "picfx/tidelight_c.h"

namespace tl {

bool Tidelight_C::RunPalRoutine(uint32_t a) {
  // Right after a restore, plane 2 still stands for plane 3: compute the
  // effect straight from plane 3 into plane 2, which is what the restore
  // followed by the in-place routine gives, in one pass instead of two.
  if (!bits_.WorkingDeferred() || params_.width != bits_.Width() ||
      params_.height != bits_.Height()) {
    CallRoutine(RoutineId::Pal, CallOn(params_, bits_.Block(), a));
    return false;
  }
  const uint8_t* src = bits_.TakeDeferredSource();
  uint8_t* dst = bits_.WritePlane(PicBits::kWorking);
  const bool pattern = PatternForOpcode(params_.opcode, params_.amount).has_value();
  if (!pattern || !autoDraw_ || !BoxMatchesPlanes()) {
    ApplyPalette(params_.opcode, params_.amount, a, src, dst, bits_.PlaneSize() / 4);
    return false;
  }
  // The fade's case: the draw follows at once, so copy each pair of rows into
  // the box while it is still in the cache. Two rows are an even number of
  // pixels, so the pixel pairs fall as they do over the whole plane, and the
  // plane's odd last pixel stays the last pixel of the last piece.
  // In plane order: row 0 is the bottom row of the box.
  const PixelView box = ViewOf(box_->Pixels()).Flipped();
  const ConstPixelView plane = TopDown(static_cast<const uint8_t*>(dst), w_, h_);
  const size_t rowBytes = static_cast<size_t>(w_) * 4;
  for (int32_t y = 0; y < h_; y += 2) {
    const int32_t rows = std::min(2, h_ - y);
    const size_t offset = static_cast<size_t>(y) * rowBytes;
    ApplyPalette(params_.opcode, params_.amount, a, src + offset, dst + offset,
                 static_cast<size_t>(rows) * w_);
    CopyPixels(Rows(box, y, rows), Rows(plane, y, rows));
  }
  return true;
}

void Tidelight_C::ASM_PalEffects(int32_t opCode, int16_t amount, int32_t colorX) {
  // Every opcode gets the same argument, so the noise is the same each time.
  ASM_PalEffects(opCode, amount, colorX, kDefaultArgument);
}

void Tidelight_C::ASM_PalEffects(int32_t opCode, int16_t amount, int32_t colorX, uint32_t noiseSeed) {
  if (!BeginEffect()) return;
  params_.amount = amount;
  params_.colour = FillColour(colorX);
  params_.opcode = opCode;
  EndEffect(RunPalRoutine(noiseSeed));
}

void Tidelight_C::ASM_IncrementalPalEffects(int32_t opCode, int16_t amount) {
  if (!BeginEffect()) return;
  params_.amount = amount;
  params_.colour = BackColorRef();
  params_.opcode = opCode;
  // A fixed state for the generator, whatever drew from it before.
  random_.Next(-1);
  random_.Reseed(1);
  uint32_t a = kDefaultArgument;
  if (opCode == 10) {
    const float u = static_cast<float>(random_.Next());
    a = std::bit_cast<uint32_t>(u * 255.0f);
  }
  EndEffect(RunPalRoutine(a));
}

}  // namespace tl
