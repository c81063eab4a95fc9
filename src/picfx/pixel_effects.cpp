// Tidelight_C's pixel filters and distortions.
#include <vector>

#include "picfx/pixel_routine.h"
#include "picfx/routine_table.h"
#include "picfx/tidelight_c.h"

namespace tl {

void Tidelight_C::ASM_PixelEffects(int32_t opCode, int16_t amount, int32_t colorX) {
  if (!BeginEffect()) return;
  params_.amount = amount;
  params_.colour = FillColour(colorX);
  params_.opcode = opCode;
  if (opCode == 3) {
    const std::vector<float> rows = BuildRowTable(w_, h_, amount);
    RoutineCall call = PlanesCall();
    call.rowTable = rows;
    CallRoutine(RoutineId::Pixel, call);
  } else if (opCode >= 0 && opCode <= 5) {
    CallRoutine(RoutineId::Pixel, PlanesCall());
  }
  EndEffect();
}

}  // namespace tl
