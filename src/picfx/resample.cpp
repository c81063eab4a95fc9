#include "picfx/resample.h"

namespace tl {

namespace {

constexpr uint32_t kOne = 1u << 23;  // weight 1 in units of 2^-23

#if defined(__SSE2__)
// Lane-wise a * b for 32-bit lanes whose products fit 32 bits.
inline __m128i MulLow32(__m128i a, __m128i b) {
  const __m128i even = _mm_mul_epu32(a, b);
  const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
  return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(0, 0, 2, 0)),
                            _mm_shuffle_epi32(odd, _MM_SHUFFLE(0, 0, 2, 0)));
}

#endif

}  // namespace

bool AxisCell(float f, int32_t size, int32_t& index, uint32_t& weight) {
  const int32_t i = RoundOrOutside(double{f} - 0.5);
  if (i < 1 || i >= size) return false;
  index = i;
  weight = static_cast<uint32_t>((double{f} - i) * kOne);
  return true;
}

bool CellOf(float fx, float fy, int32_t width, int32_t height, BilinearCell& cell) {
  return AxisCell(fx, width, cell.xi, cell.wx) && AxisCell(fy, height, cell.yi, cell.wy);
}

uint32_t BlendExact(const SamplePlanes& p, const BilinearCell& cell) {
  const uint8_t* p00 = p.Src(cell.xi, cell.yi);
  const uint8_t* p01 = p00 + static_cast<size_t>(p.width) * 4;
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

bool NearestInside(const SamplePlanes& p, double fx, double fy) {
  const int32_t xs = RoundOrOutside(fx), ys = RoundOrOutside(fy);
  return xs >= 1 && xs <= p.width && ys >= 1 && ys <= p.height;
}

bool BilinearInside(const SamplePlanes& p, float fx, float fy) {
  BilinearCell cell;
  return CellOf(fx, fy, p.width, p.height, cell);
}

void SampleNearest(const SamplePlanes& p, uint8_t* dst, double fx, double fy) {
  const int32_t xs = RoundOrOutside(fx), ys = RoundOrOutside(fy);
  if (xs < 1 || xs > p.width || ys < 1 || ys > p.height) return StoreBgr(dst, p.fill);
  StoreBgr(dst, Load32(p.Src(xs, ys)));
}

void SampleBilinear(const SamplePlanes& p, uint8_t* dst, float fx, float fy) {
  BilinearCell cell;
  if (!CellOf(fx, fy, p.width, p.height, cell)) return StoreBgr(dst, p.fill);
  StoreBgr(dst, BlendExact(p, cell));
}

#if defined(__SSE2__)
void NearestQuadInside(const SamplePlanes& p, uint8_t* dst, __m128d fx01, __m128d fx23,
                       __m128d fy01, __m128d fy23) {
  const __m128i xs = _mm_unpacklo_epi64(_mm_cvtpd_epi32(fx01), _mm_cvtpd_epi32(fx23));
  const __m128i ys = _mm_unpacklo_epi64(_mm_cvtpd_epi32(fy01), _mm_cvtpd_epi32(fy23));
  const __m128i one = _mm_set1_epi32(1);
  const __m128i at = _mm_add_epi32(MulLow32(_mm_sub_epi32(ys, one), _mm_set1_epi32(p.width)),
                                   _mm_sub_epi32(xs, one));
  alignas(16) int32_t i[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(i), at);
  StoreQuad(dst, _mm_setr_epi32(static_cast<int>(Load32(p.src + size_t(i[0]) * 4)),
                                static_cast<int>(Load32(p.src + size_t(i[1]) * 4)),
                                static_cast<int>(Load32(p.src + size_t(i[2]) * 4)),
                                static_cast<int>(Load32(p.src + size_t(i[3]) * 4))));
}

void BilinearQuadInside(const SamplePlanes& p, uint8_t* dst, __m128 fx, __m128 fy) {
  // Inside the picture fx - 0.5 is exact in single precision.
  const __m128 half = _mm_set1_ps(0.5f);
  const __m128i xi = _mm_cvtps_epi32(_mm_sub_ps(fx, half));
  const __m128i yi = _mm_cvtps_epi32(_mm_sub_ps(fy, half));
  const __m128 wx = _mm_sub_ps(fx, _mm_cvtepi32_ps(xi)), wy = _mm_sub_ps(fy, _mm_cvtepi32_ps(yi));
  const __m128i one = _mm_set1_epi32(1);
  const __m128i at = _mm_add_epi32(MulLow32(_mm_sub_epi32(yi, one), _mm_set1_epi32(p.width)),
                                   _mm_sub_epi32(xi, one));
  alignas(16) int32_t i[4];
  _mm_store_si128(reinterpret_cast<__m128i*>(i), at);
  const size_t rowBytes = static_cast<size_t>(p.width) * 4;
  // The four corners of the four pixels, one pixel per lane: p00 and p10
  // sit side by side in the lower row, p01 and p11 in the upper one.
  const auto pair = [&](int k, size_t row) {
    return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p.src + size_t(i[k]) * 4 + row));
  };
  const __m128 low01 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(0, 0), pair(1, 0)));
  const __m128 low23 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(2, 0), pair(3, 0)));
  const __m128 high01 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(0, rowBytes), pair(1, rowBytes)));
  const __m128 high23 = _mm_castsi128_ps(_mm_unpacklo_epi64(pair(2, rowBytes), pair(3, rowBytes)));
  const __m128i p00 = _mm_castps_si128(_mm_shuffle_ps(low01, low23, _MM_SHUFFLE(2, 0, 2, 0)));
  const __m128i p10 = _mm_castps_si128(_mm_shuffle_ps(low01, low23, _MM_SHUFFLE(3, 1, 3, 1)));
  const __m128i p01 = _mm_castps_si128(_mm_shuffle_ps(high01, high23, _MM_SHUFFLE(2, 0, 2, 0)));
  const __m128i p11 = _mm_castps_si128(_mm_shuffle_ps(high01, high23, _MM_SHUFFLE(3, 1, 3, 1)));
  // Channel by channel, in single precision: within 2^-13 of the exact blend.
  const __m128i byte = _mm_set1_epi32(0xFF);
  const __m128 limit = _mm_set1_ps(0.5f - 1.0f / 4096), sign = _mm_set1_ps(-0.0f);
  __m128 doubt = _mm_setzero_ps();
  __m128i out = _mm_setzero_si128();
  for (int c = 0; c < 3; ++c) {
    const auto channel = [&](__m128i v) {
      return _mm_cvtepi32_ps(_mm_and_si128(_mm_srli_epi32(v, 8 * c), byte));
    };
    const __m128 f00 = channel(p00), f10 = channel(p10), f01 = channel(p01), f11 = channel(p11);
    const __m128 top = _mm_add_ps(f00, _mm_mul_ps(_mm_sub_ps(f10, f00), wx));
    const __m128 bottom = _mm_add_ps(f01, _mm_mul_ps(_mm_sub_ps(f11, f01), wx));
    const __m128 v = _mm_add_ps(top, _mm_mul_ps(_mm_sub_ps(bottom, top), wy));
    const __m128i r = _mm_cvtps_epi32(v);
    doubt = _mm_or_ps(doubt, _mm_cmpge_ps(_mm_andnot_ps(sign, _mm_sub_ps(v, _mm_cvtepi32_ps(r))), limit));
    out = _mm_or_si128(out, _mm_slli_epi32(r, 8 * c));
  }
  StoreQuad(dst, out);
  const int unsure = _mm_movemask_ps(doubt);
  if (unsure == 0) return;
  alignas(16) float fxs[4], fys[4];
  _mm_store_ps(fxs, fx);
  _mm_store_ps(fys, fy);
  for (int k = 0; k < 4; ++k) {
    if ((unsure >> k & 1) == 0) continue;
    BilinearCell cell;
    CellOf(fxs[k], fys[k], p.width, p.height, cell);
    StoreBgr(dst + k * 4, BlendExact(p, cell));
  }
}
#endif

}  // namespace tl
