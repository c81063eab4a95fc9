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
// sampled position), so the result is a ratio of integers below 2^54. The
// fast form blends in single precision, within 2^-13 of the exact value, and
// hands the few channels that close to a rounding boundary to the exact one.
#include <cstddef>
#include <cstdint>

#include "picfx/pixel_ops.h"

namespace tl {

struct SamplePlanes {
  const uint8_t* src;  // W x H, rows in memory order
  uint8_t* dst;        // W x H, another block
  int32_t width, height;
  uint32_t fill;  // the fill colour as a pixel value

  uint8_t* Dst(int32_t x, int32_t y) const {  // 1-based
    return dst + (static_cast<size_t>(y - 1) * width + static_cast<size_t>(x - 1)) * 4;
  }
  const uint8_t* Src(int32_t x, int32_t y) const {
    return src + (static_cast<size_t>(y - 1) * width + static_cast<size_t>(x - 1)) * 4;
  }
  // The four-pixel forms below need positions that fit single precision
  // with room to spare.
  bool QuadsFit() const { return width < (1 << 22) && height < (1 << 22); }
};

// The bilinear sample's cell: false when the position is outside (the
// destination is then painted), else the cell's lower-left corner and the
// weights in units of 2^-23 (0 to 2^23).
struct BilinearCell {
  int32_t xi, yi;
  uint32_t wx, wy;
};
bool CellOf(float fx, float fy, int32_t width, int32_t height, BilinearCell& cell);
// One axis of it: f = position, size = W or H.
bool AxisCell(float f, int32_t size, int32_t& index, uint32_t& weight);

// Blue, green and red of the exact blend (reserved byte 0).
uint32_t BlendExact(const SamplePlanes& p, const BilinearCell& cell);

// Whether a position samples the picture rather than the fill colour.
bool NearestInside(const SamplePlanes& p, double fx, double fy);
bool BilinearInside(const SamplePlanes& p, float fx, float fy);

// One destination pixel, its reserved byte kept.
void SampleNearest(const SamplePlanes& p, uint8_t* dst, double fx, double fy);
void SampleBilinear(const SamplePlanes& p, uint8_t* dst, float fx, float fy);

#if defined(__SSE2__)
// Four pixels into dst: the blue, green and red of `bgr`, dst's reserved bytes.
inline void StoreQuad(uint8_t* dst, __m128i bgr) {
  const __m128i reserved = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  __m128i* d = reinterpret_cast<__m128i*>(dst);
  _mm_storeu_si128(d, _mm_or_si128(_mm_andnot_si128(reserved, bgr),
                                   _mm_and_si128(reserved, _mm_loadu_si128(d))));
}

// Four consecutive destination pixels from four positions (x in the low
// lanes first), every one of them inside (see NearestInside and
// BilinearInside). Only when QuadsFit().
void NearestQuadInside(const SamplePlanes& p, uint8_t* dst, __m128d fx01, __m128d fx23,
                       __m128d fy01, __m128d fy23);
void BilinearQuadInside(const SamplePlanes& p, uint8_t* dst, __m128 fx, __m128 fy);
#endif

}  // namespace tl
