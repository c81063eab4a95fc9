#pragma once
// The engine's five pixel routines, in their fixed order.
#include <array>
#include <cstdint>

#include "picfx/routine_params.h"

namespace tl {

enum class RoutineId : int { Rotate = 0, Pal = 1, Pixel = 2, ColorX = 3, Magnify = 4 };

using RoutineTable = std::array<RoutineFn, 5>;

const RoutineTable& Routines();

// Runs the routine on the call; the class ignores the routine's result.
void CallRoutine(RoutineId id, const RoutineCall& call);

}  // namespace tl
