#pragma once
// The neighbourhood filters of the pixel routine: each reads the undo plane
// and writes the interior of the working plane. Planes are W x H pixels,
// rows in memory order (row 0 is the picture's bottom row, y = 1).
#include <cstdint>

#include "picfx/pixel_ops.h"

namespace tl {

struct FilterPlanes {
  const uint8_t* src;  // plane 3
  uint8_t* dst;        // plane 2, a different block of memory
  int32_t width, height;
};

// The widest vectors the filters use. They start at the widest this
// processor runs; the tests choose each in turn, since every width must give
// the same bytes.
// Rotation, magnification and the swirl follow the same choice.
enum class FilterVectors { Sse2, Avx2 };
FilterVectors WidestFilterVectors();
void UseFilterVectors(FilterVectors vectors);
// True when AVX2 is chosen (and so present).
bool WideVectorsChosen();

// Opcode 0: every byte (reserved included) becomes a sum of its neighbours'
// bytes, each divided first so that no sum passes 255. Amount 1: left and
// right halves; 2: below and above halves; 4: the four diagonal quarters;
// 8: the eight neighbours' eighths; any other Amount writes nothing.
void Smooth(const FilterPlanes& p, int32_t amount);

// Opcode 1: 8 x centre - the eight neighbours + colour, clamped, for
// x = 3 .. W-1, y = 3 .. H-1.
void EdgeLift(const FilterPlanes& p, Bgr colour);

// Opcode 2: |centre - upper-right neighbour - colour|, at most 255.
void Relief(const FilterPlanes& p, Bgr colour);

// Opcode 4: half of centre plus the directional difference, plus 50; above
// 255 gives the colour, below 0 gives 0.
void Emboss(const FilterPlanes& p, Bgr colour);

}  // namespace tl
