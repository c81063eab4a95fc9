#include "picfx/resample.h"

#include <cstddef>

namespace tl {

namespace {

constexpr uint32_t kOne = 1u << 23;  // weight 1 in units of 2^-23

uint8_t* DstPixel(const SamplePlanes& p, int32_t x, int32_t y) {
  return p.dst + (static_cast<size_t>(y - 1) * p.width + static_cast<size_t>(x - 1)) * 4;
}
const uint8_t* SrcPixel(const uint8_t* src, int32_t width, int32_t x, int32_t y) {
  return src + (static_cast<size_t>(y - 1) * width + static_cast<size_t>(x - 1)) * 4;
}

#if defined(__SSE2__)
// The blend in single precision, which is within 2^-13 of the exact value;
// only a channel that close to a rounding boundary needs the exact form.
bool BlendQuick(const uint8_t* p00, size_t rowBytes, float wx, float wy, uint32_t& out) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p00)), zero);
  const __m128i high =
      _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p00 + rowBytes)), zero);
  const __m128 f00 = _mm_cvtepi32_ps(_mm_unpacklo_epi16(low, zero));
  const __m128 f10 = _mm_cvtepi32_ps(_mm_unpackhi_epi16(low, zero));
  const __m128 f01 = _mm_cvtepi32_ps(_mm_unpacklo_epi16(high, zero));
  const __m128 f11 = _mm_cvtepi32_ps(_mm_unpackhi_epi16(high, zero));
  const __m128 vx = _mm_set1_ps(wx), vy = _mm_set1_ps(wy);
  const __m128 top = _mm_add_ps(f00, _mm_mul_ps(_mm_sub_ps(f10, f00), vx));
  const __m128 bottom = _mm_add_ps(f01, _mm_mul_ps(_mm_sub_ps(f11, f01), vx));
  const __m128 v = _mm_add_ps(top, _mm_mul_ps(_mm_sub_ps(bottom, top), vy));
  const __m128i r = _mm_cvtps_epi32(v);
  const __m128 off = _mm_andnot_ps(_mm_set1_ps(-0.0f), _mm_sub_ps(v, _mm_cvtepi32_ps(r)));
  if ((_mm_movemask_ps(_mm_cmpge_ps(off, _mm_set1_ps(0.5f - 1.0f / 4096))) & 7) != 0) return false;
  const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(r, r), zero);
  out = static_cast<uint32_t>(_mm_cvtsi128_si32(bytes));
  return true;
}
#endif

}  // namespace

bool CellOf(float fx, float fy, int32_t width, int32_t height, BilinearCell& cell) {
  const int32_t xi = RoundOrOutside(double{fx} - 0.5);
  const int32_t yi = RoundOrOutside(double{fy} - 0.5);
  if (xi < 1 || xi >= width || yi < 1 || yi >= height) return false;
  cell.xi = xi;
  cell.yi = yi;
  cell.wx = static_cast<uint32_t>((double{fx} - xi) * kOne);
  cell.wy = static_cast<uint32_t>((double{fy} - yi) * kOne);
  return true;
}

uint32_t BlendExact(const uint8_t* src, int32_t width, const BilinearCell& cell) {
  const uint8_t* p00 = SrcPixel(src, width, cell.xi, cell.yi);
  const uint8_t* p01 = p00 + static_cast<size_t>(width) * 4;
  uint32_t out = 0;
  for (int c = 0; c < 3; ++c) {
    const uint32_t top = p00[c] * (kOne - cell.wx) + p00[4 + c] * cell.wx;
    const uint32_t bottom = p01[c] * (kOne - cell.wx) + p01[4 + c] * cell.wx;
    const uint64_t q = uint64_t{top} * (kOne - cell.wy) + uint64_t{bottom} * cell.wy;
    // q / 2^46, to nearest, ties to even.
    uint64_t v = q >> 46;
    const uint64_t rest = q & ((uint64_t{1} << 46) - 1), half = uint64_t{1} << 45;
    if (rest > half || (rest == half && (v & 1) != 0)) ++v;
    out |= static_cast<uint32_t>(v) << (8 * c);
  }
  return out;
}

void NearestRow(const SamplePlanes& p, int32_t y, const double* fx, const double* fy) {
  for (int32_t x = 1; x <= p.width; ++x) {
    uint8_t* d = DstPixel(p, x, y);
    const int32_t xs = RoundOrOutside(fx[x - 1]);
    const int32_t ys = RoundOrOutside(fy[x - 1]);
    if (xs < 1 || xs > p.width || ys < 1 || ys > p.height) {
      StoreBgr(d, p.fill);
    } else {
      StoreBgr(d, Load32(SrcPixel(p.src, p.width, xs, ys)));
    }
  }
}

void BilinearRow(const SamplePlanes& p, int32_t y, const float* fx, const float* fy) {
  for (int32_t x = 1; x <= p.width; ++x) {
    uint8_t* d = DstPixel(p, x, y);
    BilinearCell cell;
    if (!CellOf(fx[x - 1], fy[x - 1], p.width, p.height, cell)) {
      StoreBgr(d, p.fill);
      continue;
    }
#if defined(__SSE2__)
    uint32_t quick;
    if (BlendQuick(SrcPixel(p.src, p.width, cell.xi, cell.yi), static_cast<size_t>(p.width) * 4,
                   fx[x - 1] - static_cast<float>(cell.xi), fy[x - 1] - static_cast<float>(cell.yi),
                   quick)) {
      StoreBgr(d, quick);
      continue;
    }
#endif
    StoreBgr(d, BlendExact(p.src, p.width, cell));
  }
}

}  // namespace tl
