#pragma once
// The magnification routine: zooms the undo plane about (a, H - b) by the
// factor c / 10 into the working plane, a and b being single-precision
// numbers and c a signed whole number. Opcode 0 samples the nearest pixel,
// 1 bilinearly; others change nothing. Pixels whose source falls outside
// are painted with the record's colour; with c = 0 every pixel is.
#include <cstdint>

#include "picfx/routine_params.h"

namespace tl {

uint32_t MagnifyRoutine(const RoutineCall& call);

// The inverse of the zoom factor as the routine holds it: 1 / (c / 10) in
// single precision (infinite for c = 0).
float InverseZoom(int32_t c);

}  // namespace tl
