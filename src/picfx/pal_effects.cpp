// Tidelight_C's two palette effects.
#include <bit>

#include "picfx/pal_routine.h"
#include "picfx/routine_table.h"
#include "picfx/tidelight_c.h"

namespace tl {

void Tidelight_C::RunPalRoutine(uint32_t a) {
  // Right after a restore, plane 2 still stands for plane 3: compute the
  // effect straight from plane 3 into plane 2, which is what the restore
  // followed by the in-place routine gives, in one pass instead of two.
  if (bits_.WorkingDeferred() && params_.width == bits_.Width() &&
      params_.height == bits_.Height()) {
    const uint8_t* src = bits_.TakeDeferredSource();
    uint8_t* dst = bits_.WritePlane(PicBits::kWorking);
    ApplyPalette(params_.opcode, params_.amount, a, src, dst, bits_.PlaneSize() / 4);
    return;
  }
  CallRoutine(RoutineId::Pal, params_, bits_.Block(), a, 0, 0);
}

void Tidelight_C::ASM_PalEffects(int32_t opCode, int16_t amount, int32_t colorX) {
  if (!BeginEffect()) return;
  params_.amount = amount;
  params_.colour = colorX < 0 ? BackColorRef() : colorX;
  params_.opcode = opCode;
  // Every opcode gets the same argument, so the noise is the same each time.
  RunPalRoutine(kDefaultArgument);
  EndEffect();
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
  RunPalRoutine(a);
  EndEffect();
}

}  // namespace tl
