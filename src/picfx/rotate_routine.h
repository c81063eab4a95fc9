#pragma once
// The rotation routine: turns the source plane about (a, H - b) by c
// degrees into the working plane, a and b being single-precision numbers
// and c a signed whole number. Opcodes: 0 nearest and 1 bilinear from the
// undo plane (3), 2 nearest and 3 bilinear from the initial plane (1);
// others change nothing. Pixels whose source falls outside are painted with
// the record's colour.
#include <cstdint>

#include "picfx/routine_params.h"

namespace tl {

uint32_t RotateRoutine(const RoutineCall& call);

}  // namespace tl
