#pragma once
// Sampling a source plane at a position, shared by rotation and
// magnification. Positions count pixels from 1 (x from the left, y from the
// bottom row), as the routines do.
//
// Nearest: round the position (ties to even); outside 1 .. W, 1 .. H the
// destination gets the fill colour.
//
// Bilinear: the position is a pair of single-precision numbers; xi =
// round(fx - 0.5), yi = round(fy - 0.5), and with wx = fx - xi, wy = fy - yi
// each channel is round(top + (bottom - top) wy) with top and bottom the
// row blends p00 + (p10 - p00) wx and p01 + (p11 - p01) wx. Extended
// precision holds every step of that blend exactly, and so does the integer
// form here: the weights are whole multiples of 2^-23 (fx > 1 for every
// sampled position), so the result is a ratio of integers below 2^54.
#include <cstdint>

#include "picfx/pixel_ops.h"

namespace tl {

struct SamplePlanes {
  const uint8_t* src;  // W x H, rows in memory order
  uint8_t* dst;        // W x H, another block
  int32_t width, height;
  uint32_t fill;  // the fill colour as a pixel value
};

// The bilinear sample's cell: false when the position is outside (the
// destination is then painted), else the cell's lower-left corner and the
// weights in units of 2^-23 (0 to 2^23).
struct BilinearCell {
  int32_t xi, yi;
  uint32_t wx, wy;
};
bool CellOf(float fx, float fy, int32_t width, int32_t height, BilinearCell& cell);

// Blue, green and red of the exact blend (reserved byte 0).
uint32_t BlendExact(const uint8_t* src, int32_t width, const BilinearCell& cell);

// One row of destination pixels x = 1 .. W of row `y` (1-based), sampled at
// the positions (fx[i], fy[i]) of pixel i + 1. Reserved bytes are kept.
void NearestRow(const SamplePlanes& p, int32_t y, const double* fx, const double* fy);
void BilinearRow(const SamplePlanes& p, int32_t y, const float* fx, const float* fy);

}  // namespace tl
