#pragma once
// The colour-painting routine: works in place on the working plane with the
// record's colour (0x00BBGGRR) and Amount A, and the argument words a and b
// as single-precision numbers.
//
//   0     a dot at (round(a W + 1), round(b H + 1))
//   1, 2  every A-th row / column, counted from the top / right edge
//   3     a grid of dots, every A-th row and column
//   4     a glow all round every pixel of exactly the colour
//   5-8   glows upwards, downwards, to the left, to the right
//   9     a brightening ring about (a, H - b); every other opcode runs it too
//
// Amounts of 0 or below paint no lines, grid or ring.
#include <cstdint>
#include <span>

#include "picfx/pixel_ops.h"
#include "picfx/routine_params.h"

namespace tl {

uint32_t ColorXRoutine(const RoutineCall& call);

// The working plane as the painting operations see it.
struct PaintPlane {
  uint8_t* pixels;
  int32_t width, height;
  uint8_t* At(int32_t x, int32_t y) const {  // 1-based, y = 1 the bottom row
    return pixels + (static_cast<size_t>(y - 1) * width + static_cast<size_t>(x - 1)) * 4;
  }
};

// Opcodes 4 to 8, with the colour field as it came (a value beyond 24 bits
// matches no pixel) and the weights f = a - k b.
void Glow(const PaintPlane& plane, int32_t opcode, int32_t amount, int32_t colour, float a,
          float b);

// The glows' reach for an Amount: (A + 2) div 2, 5 taken as 4, never below 0.
int32_t GlowReach(int32_t amount);

}  // namespace tl
