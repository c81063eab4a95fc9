#include "picfx/routine_table.h"

#include "picfx/colorx_routine.h"
#include "picfx/magnify_routine.h"
#include "picfx/pal_routine.h"
#include "picfx/pixel_routine.h"
#include "picfx/rotate_routine.h"

namespace tl {

const RoutineTable& Routines() {
  static const RoutineTable table = {
      RotateRoutine, PalRoutine, PixelRoutine, ColorXRoutine, MagnifyRoutine,
  };
  return table;
}

void CallRoutine(RoutineId id, const RoutineCall& call) {
  Routines()[static_cast<size_t>(id)](call);
}

}  // namespace tl
