#pragma once
// The engine's five pixel routines, in their fixed order. A routine whose
// effect is not built yet has no entry, and calling it does nothing.
#include <array>
#include <cstdint>

#include "picfx/routine_params.h"

namespace tl {

enum class RoutineId : int { Rotate = 0, Pal = 1, Pixel = 2, ColorX = 3, Magnify = 4 };

using RoutineTable = std::array<RoutineFn, 5>;

// The table as this build has it (absent routines are null).
const RoutineTable& Routines();

// Runs the routine on the call. False, with nothing changed, when the table
// has no such routine.
bool CallRoutine(RoutineId id, const RoutineCall& call);

}  // namespace tl
