// Only intrinsics and plain pointers here (see pixel_filters_avx2.cpp).
#include "picfx/resample_avx2.h"

#include <immintrin.h>

namespace tl::avx2 {

namespace {

// Positions of pixels x .. x + 7: (colCs - rowSn) + cX and (rowCs + colSn) + cY.
inline void Positions(const RotateRow& r, int32_t x, __m256d& fx0, __m256d& fx1, __m256d& fy0,
                      __m256d& fy1) {
  const __m256d rowSn = _mm256_set1_pd(r.rowSn), rowCs = _mm256_set1_pd(r.rowCs);
  const __m256d cX = _mm256_set1_pd(r.cX), cY = _mm256_set1_pd(r.cY);
  fx0 = _mm256_add_pd(_mm256_sub_pd(_mm256_loadu_pd(r.colCs + x - 1), rowSn), cX);
  fx1 = _mm256_add_pd(_mm256_sub_pd(_mm256_loadu_pd(r.colCs + x + 3), rowSn), cX);
  fy0 = _mm256_add_pd(_mm256_add_pd(rowCs, _mm256_loadu_pd(r.colSn + x - 1)), cY);
  fy1 = _mm256_add_pd(_mm256_add_pd(rowCs, _mm256_loadu_pd(r.colSn + x + 3)), cY);
}

inline __m256i Join(__m128i lo, __m128i hi) { return _mm256_inserti128_si256(_mm256_castsi128_si256(lo), hi, 1); }

// Index from 0 of the source pixel (xs, ys), both counted from 1.
inline __m256i IndexOf(__m256i xs, __m256i ys, int32_t width) {
  const __m256i one = _mm256_set1_epi32(1);
  return _mm256_add_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(ys, one), _mm256_set1_epi32(width)),
                          _mm256_sub_epi32(xs, one));
}

// Eight pixels' blue, green and red, the destination's reserved bytes kept.
inline void StoreEight(uint8_t* dst, __m256i bgr) {
  const __m256i reserved = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  __m256i* d = reinterpret_cast<__m256i*>(dst);
  _mm256_storeu_si256(d, _mm256_or_si256(_mm256_andnot_si256(reserved, bgr),
                                         _mm256_and_si256(reserved, _mm256_loadu_si256(d))));
}

}  // namespace

int32_t RotateNearestRun(const RotateRow& r, int32_t x, int32_t b) {
  const int* src = reinterpret_cast<const int*>(r.src);
  for (; x + 7 <= b; x += 8) {
    __m256d fx0, fx1, fy0, fy1;
    Positions(r, x, fx0, fx1, fy0, fy1);
    const __m256i xs = Join(_mm256_cvtpd_epi32(fx0), _mm256_cvtpd_epi32(fx1));
    const __m256i ys = Join(_mm256_cvtpd_epi32(fy0), _mm256_cvtpd_epi32(fy1));
    StoreEight(r.dst + (x - 1) * 4, _mm256_i32gather_epi32(src, IndexOf(xs, ys, r.width), 4));
  }
  return x;
}

int32_t RotateBilinearRun(const RotateRow& r, int32_t x, int32_t b, int32_t* doubtful,
                          int32_t& doubtfulCount) {
  doubtfulCount = 0;
  const int* p00 = reinterpret_cast<const int*>(r.src);
  const int* p10 = p00 + 1;
  const int* p01 = p00 + r.width;
  const int* p11 = p01 + 1;
  const __m256 half = _mm256_set1_ps(0.5f);
  const __m256 limit = _mm256_set1_ps(0.5f - 1.0f / 4096), sign = _mm256_set1_ps(-0.0f);
  const __m256i byte = _mm256_set1_epi32(0xFF);
  for (; x + 7 <= b; x += 8) {
    __m256d fx0, fx1, fy0, fy1;
    Positions(r, x, fx0, fx1, fy0, fy1);
    // Inside the picture fx - 0.5 is exact in single precision.
    const __m256 fx = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(fx0)), _mm256_cvtpd_ps(fx1), 1);
    const __m256 fy = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm256_cvtpd_ps(fy0)), _mm256_cvtpd_ps(fy1), 1);
    const __m256i xi = _mm256_cvtps_epi32(_mm256_sub_ps(fx, half));
    const __m256i yi = _mm256_cvtps_epi32(_mm256_sub_ps(fy, half));
    const __m256 wx = _mm256_sub_ps(fx, _mm256_cvtepi32_ps(xi)), wy = _mm256_sub_ps(fy, _mm256_cvtepi32_ps(yi));
    const __m256i at = IndexOf(xi, yi, r.width);
    const __m256i c00 = _mm256_i32gather_epi32(p00, at, 4), c10 = _mm256_i32gather_epi32(p10, at, 4);
    const __m256i c01 = _mm256_i32gather_epi32(p01, at, 4), c11 = _mm256_i32gather_epi32(p11, at, 4);
    // Channel by channel, as the four-pixel form does.
    __m256 doubt = _mm256_setzero_ps();
    __m256i out = _mm256_setzero_si256();
    for (int c = 0; c < 3; ++c) {
      const auto channel = [&](__m256i v) {
        return _mm256_cvtepi32_ps(_mm256_and_si256(_mm256_srli_epi32(v, 8 * c), byte));
      };
      const __m256 f00 = channel(c00), f10 = channel(c10), f01 = channel(c01), f11 = channel(c11);
      const __m256 top = _mm256_add_ps(f00, _mm256_mul_ps(_mm256_sub_ps(f10, f00), wx));
      const __m256 bottom = _mm256_add_ps(f01, _mm256_mul_ps(_mm256_sub_ps(f11, f01), wx));
      const __m256 v = _mm256_add_ps(top, _mm256_mul_ps(_mm256_sub_ps(bottom, top), wy));
      const __m256i rounded = _mm256_cvtps_epi32(v);
      const __m256 off = _mm256_andnot_ps(sign, _mm256_sub_ps(v, _mm256_cvtepi32_ps(rounded)));
      doubt = _mm256_or_ps(doubt, _mm256_cmp_ps(off, limit, _CMP_GE_OQ));
      out = _mm256_or_si256(out, _mm256_slli_epi32(rounded, 8 * c));
    }
    StoreEight(r.dst + (x - 1) * 4, out);
    for (int unsure = _mm256_movemask_ps(doubt); unsure != 0; unsure &= unsure - 1)
      doubtful[doubtfulCount++] = x + __builtin_ctz(static_cast<unsigned>(unsure));
  }
  return x;
}

}  // namespace tl::avx2
