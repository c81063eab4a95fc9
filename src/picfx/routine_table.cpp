#include "picfx/routine_table.h"

#include "picfx/pal_routine.h"

namespace tl {

const RoutineTable& Routines() {
  static const RoutineTable table = {
      nullptr,     // RotateRoutine
      PalRoutine,  // PalRoutine
      nullptr,     // PixelRoutine
      nullptr,     // ColorXRoutine
      nullptr,     // MagnifyRoutine
  };
  return table;
}

bool CallRoutine(RoutineId id, RoutineParams& params, std::span<uint8_t> picBits, uint32_t a,
                 uint32_t b, uint32_t c) {
  const RoutineFn fn = Routines()[static_cast<size_t>(id)];
  if (fn == nullptr) return false;
  fn(&params, picBits, a, b, c);
  return true;
}

}  // namespace tl
