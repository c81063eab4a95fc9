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

bool CallRoutine(RoutineId id, const RoutineCall& call) {
  const RoutineFn fn = Routines()[static_cast<size_t>(id)];
  if (fn == nullptr) return false;
  fn(call);
  return true;
}

}  // namespace tl
