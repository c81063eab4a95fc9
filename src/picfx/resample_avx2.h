#pragma once
// Rotation's sampling eight pixels at a time, and the swirl's four, with AVX2: compiled for AVX2
// alone (see pixel_filters_avx2.h) and run only where the processor has it.
// Each function does the groups of eight of one row's run x .. b, every
// pixel of which samples inside the picture, and returns the first pixel it
// left for narrower code. Positions are computed as the routine computes
// them, so every pixel gets the same bytes at every width.
#include <cstdint>

namespace tl::avx2 {

struct RotateRow {
  const uint8_t* src;  // the source plane
  uint8_t* dst;        // pixel 1 of the destination row
  int32_t width;
  const double* colCs;  // (x - cX) cs for x = 1 .. W
  const double* colSn;  // (x - cX) sn
  double rowSn, rowCs;  // (y - cY) sn and cs
  double cX, cY;
};

int32_t RotateNearestRun(const RotateRow& row, int32_t x, int32_t b);
// The bilinear blend in single precision; the pixels too near a rounding
// boundary for it are listed in `doubtful` (room for b - x + 1), their count
// returned in `doubtfulCount`, for the exact form.
int32_t RotateBilinearRun(const RotateRow& row, int32_t x, int32_t b, int32_t* doubtful,
                          int32_t& doubtfulCount);

// Magnification's bilinear pixels x .. w - 1 of one row (counted from 0),
// eight at a time, from the row's vertical blends (four floats a column)
// as magnify_routine.cpp lays them out: pixel x blends the columns at[x]
// and at[x] + 1 with the weight weight[4x] (four copies); pixels not
// inside[x] get `fill`. Doubtful pixels are listed as in RotateBilinearRun.
int32_t MagnifyBilinearRun(const float* blends, const int32_t* at, const float* weight, const int32_t* inside,
                           uint32_t fill, uint8_t* dst, int32_t x, int32_t w, int32_t* doubtful,
                           int32_t& doubtfulCount);

// The swirl's pixels x .. x1 of row y, four at a time, all on one side of
// the centre column cx: right of it (x >= cx) the turns are cosT[x - cx],
// sinT[x - cx]; left of it cosT[cx - x], sinT[cx - x]. Pixels whose source
// falls on or past an edge get `paint`. `dst` is pixel 1 of the row.
int32_t SwirlRun(const uint8_t* src, uint8_t* dst, int32_t width, int32_t height, int32_t y, int32_t cx,
                 int32_t cy, const double* cosT, const double* sinT, uint32_t paint, int32_t x, int32_t x1);

// The swirl's turns of one row pair: for dx = 0 .. count - 1, with
// r = sqrt(dx^2 + dy^2), cosT[dx] and sinT[dx] = SinCos(turn * r / m), to
// the last bit as trig.cpp gives them.
void SwirlTurns(int32_t dy, int32_t count, double turn, double m, double* cosT, double* sinT);

}  // namespace tl::avx2
