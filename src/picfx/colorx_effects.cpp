// Tidelight_C's painting with one colour.
#include <bit>

#include "picfx/routine_table.h"
#include "picfx/tidelight_c.h"

namespace tl {

namespace {
uint32_t FloatBits(double v) { return std::bit_cast<uint32_t>(static_cast<float>(v)); }
}  // namespace

void Tidelight_C::ASM_ColorXEffects(int32_t opCode, int32_t colorX, int16_t amount,
                                    std::optional<double> centerX,
                                    std::optional<double> centerY) {
  if (!BeginEffect()) return;
  const double cx = centerX.value_or(w_ / 2), cy = centerY.value_or(h_ / 2);
  params_.amount = amount;
  params_.colour = colorX;  // as it comes: a negative value stays
  params_.opcode = opCode;
  random_.Reseed(platform_.windows.TickCount());
  if (opCode == 0) {
    // Twenty dots per unit of Amount, counted in 32 bits so that no Amount
    // overflows; a negative Amount paints none.
    for (int32_t i = 0; i < int32_t{amount} * 20; ++i) {
      const double u1 = random_.Next(), u2 = random_.Next();
      CallRoutine(RoutineId::ColorX, PlanesCall(FloatBits(u1), FloatBits(u2)));
    }
  } else if (opCode >= 1 && opCode <= 3) {
    CallRoutine(RoutineId::ColorX, PlanesCall());
  } else if (opCode >= 4 && opCode <= 8) {
    CallRoutine(RoutineId::ColorX, PlanesCall(FloatBits(0.9), FloatBits(0.1)));
  } else if (opCode == 9) {
    CallRoutine(RoutineId::ColorX, PlanesCall(FloatBits(cx), FloatBits(cy)));
  }
  EndEffect();
}

}  // namespace tl
