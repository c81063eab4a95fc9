// Only intrinsics and plain pointers here (see pixel_filters_avx2.cpp).
#include "picfx/resample_avx2.h"

#include <immintrin.h>

#include <cmath>

#include "picfx/trig.h"

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

// trig.cpp's kernels, four lanes at a time, operation for operation.
inline __m256d KernelSin(__m256d x, __m256d y) {
  using namespace trig;
  const auto k = [](double v) { return _mm256_set1_pd(v); };
  const __m256d z = _mm256_mul_pd(x, x);
  const __m256d v = _mm256_mul_pd(z, x);
  const __m256d r = _mm256_add_pd(k(kS2), _mm256_mul_pd(z, _mm256_add_pd(k(kS3), _mm256_mul_pd(z,
      _mm256_add_pd(k(kS4), _mm256_mul_pd(z, _mm256_add_pd(k(kS5), _mm256_mul_pd(z, k(kS6))))))))); 
  const __m256d inner = _mm256_sub_pd(_mm256_mul_pd(z, _mm256_sub_pd(_mm256_mul_pd(k(0.5), y), _mm256_mul_pd(v, r))), y);
  return _mm256_sub_pd(x, _mm256_sub_pd(inner, _mm256_mul_pd(v, k(kS1))));
}

inline __m256d KernelCos(__m256d x, __m256d y) {
  using namespace trig;
  const auto k = [](double v) { return _mm256_set1_pd(v); };
  const __m256d z = _mm256_mul_pd(x, x);
  const __m256d w2 = _mm256_mul_pd(z, z);
  const __m256d low = _mm256_mul_pd(z, _mm256_add_pd(k(kC1), _mm256_mul_pd(z, _mm256_add_pd(k(kC2), _mm256_mul_pd(z, k(kC3))))));
  const __m256d high = _mm256_mul_pd(_mm256_mul_pd(w2, w2),
      _mm256_add_pd(k(kC4), _mm256_mul_pd(z, _mm256_add_pd(k(kC5), _mm256_mul_pd(z, k(kC6))))));
  const __m256d r = _mm256_add_pd(low, high);
  const __m256d hz = _mm256_mul_pd(k(0.5), z);
  const __m256d w = _mm256_sub_pd(k(1.0), hz);
  const __m256d tail = _mm256_add_pd(_mm256_sub_pd(_mm256_sub_pd(k(1.0), w), hz),
                                     _mm256_sub_pd(_mm256_mul_pd(z, r), _mm256_mul_pd(x, y)));
  return _mm256_add_pd(w, tail);
}

inline __m256i Exponents(__m256d v) {
  return _mm256_and_si256(_mm256_srli_epi64(_mm256_castpd_si256(v), 52), _mm256_set1_epi64x(0x7FF));
}

}  // namespace

void SwirlTurns(int32_t dy, int32_t count, double turn, double m, double* cosT, double* sinT) {
  using namespace trig;
  const double dy2 = double(dy) * dy;
  const __m256d sign = _mm256_set1_pd(-0.0);
  int32_t dx = 0;
  for (; dx + 3 < count; dx += 4) {
    const __m256d d = _mm256_setr_pd(dx, dx + 1, dx + 2, dx + 3);
    const __m256d r = _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(d, d), _mm256_set1_pd(dy2)));
    const __m256d x = _mm256_div_pd(_mm256_mul_pd(_mm256_set1_pd(turn), r), _mm256_set1_pd(m));
    // x >= 0 and far below the scalar form's limit. Reduced by pi/2 as
    // trig.cpp does; up to pi/4 that changes nothing (n = 0, y0 = x, y1 = 0),
    // so both of its paths are this one.
    const __m256d fn = _mm256_round_pd(_mm256_mul_pd(x, _mm256_set1_pd(kInvPio2)), _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
    const __m256d rest = _mm256_sub_pd(x, _mm256_mul_pd(fn, _mm256_set1_pd(kPio2_1)));
    const __m256d w = _mm256_mul_pd(fn, _mm256_set1_pd(kPio2_1t));
    const __m256d y0 = _mm256_sub_pd(rest, w);
    const __m256d y1 = _mm256_sub_pd(_mm256_sub_pd(rest, y0), w);
    // Lanes that cancel so far that trig.cpp refines them go to it.
    const __m256i lost = _mm256_cmpgt_epi64(_mm256_sub_epi64(Exponents(x), Exponents(y0)), _mm256_set1_epi64x(16));
    const __m256d s = KernelSin(y0, y1), c = KernelCos(y0, y1);
    const __m128i n = _mm256_cvtpd_epi32(fn);
    const __m256i n64 = _mm256_cvtepi32_epi64(n);
    const __m256d odd = _mm256_castsi256_pd(_mm256_cmpeq_epi64(_mm256_and_si256(n64, _mm256_set1_epi64x(1)), _mm256_set1_epi64x(1)));
    const __m256d flipSin = _mm256_and_pd(sign, _mm256_castsi256_pd(_mm256_slli_epi64(_mm256_and_si256(n64, _mm256_set1_epi64x(2)), 62)));
    const __m256d flipCos = _mm256_and_pd(sign, _mm256_castsi256_pd(_mm256_slli_epi64(
        _mm256_and_si256(_mm256_add_epi64(n64, _mm256_set1_epi64x(1)), _mm256_set1_epi64x(2)), 62)));
    _mm256_storeu_pd(sinT + dx, _mm256_xor_pd(_mm256_blendv_pd(s, c, odd), flipSin));
    _mm256_storeu_pd(cosT + dx, _mm256_xor_pd(_mm256_blendv_pd(c, s, odd), flipCos));
    for (int lanes = _mm256_movemask_pd(_mm256_castsi256_pd(lost)); lanes != 0; lanes &= lanes - 1) {
      const int32_t k = dx + __builtin_ctz(static_cast<unsigned>(lanes));
      const SinCosResult t = SinCos(turn * std::sqrt(double(k) * k + dy2) / m);
      cosT[k] = t.cos;
      sinT[k] = t.sin;
    }
  }
  for (; dx < count; ++dx) {
    const SinCosResult t = SinCos(turn * std::sqrt(double(dx) * dx + dy2) / m);
    cosT[dx] = t.cos;
    sinT[dx] = t.sin;
  }
}

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
  const int* p01 = p00 + r.width;
  const __m256i pairs = _mm256_setr_epi32(0, 1, 4, 5, 2, 3, 6, 7);
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
    const __m256 wx0 = _mm256_sub_ps(fx, _mm256_cvtepi32_ps(xi)), wy0 = _mm256_sub_ps(fy, _mm256_cvtepi32_ps(yi));
    const __m256i at = IndexOf(xi, yi, r.width);
    // Each cell's two lower and two upper pixels sit side by side: one
    // 8-byte gather a pair. Split into corners, the pixels come in the
    // order 0, 1, 4, 5, 2, 3, 6, 7, and the weights are put in it too.
    const __m128i atLo = _mm256_castsi256_si128(at), atHi = _mm256_extracti128_si256(at, 1);
    const long long* low = reinterpret_cast<const long long*>(p00);
    const long long* high = reinterpret_cast<const long long*>(p01);
    const __m256 lowLo = _mm256_castsi256_ps(_mm256_i32gather_epi64(low, atLo, 4));
    const __m256 lowHi = _mm256_castsi256_ps(_mm256_i32gather_epi64(low, atHi, 4));
    const __m256 highLo = _mm256_castsi256_ps(_mm256_i32gather_epi64(high, atLo, 4));
    const __m256 highHi = _mm256_castsi256_ps(_mm256_i32gather_epi64(high, atHi, 4));
    const __m256i c00 = _mm256_castps_si256(_mm256_shuffle_ps(lowLo, lowHi, _MM_SHUFFLE(2, 0, 2, 0)));
    const __m256i c10 = _mm256_castps_si256(_mm256_shuffle_ps(lowLo, lowHi, _MM_SHUFFLE(3, 1, 3, 1)));
    const __m256i c01 = _mm256_castps_si256(_mm256_shuffle_ps(highLo, highHi, _MM_SHUFFLE(2, 0, 2, 0)));
    const __m256i c11 = _mm256_castps_si256(_mm256_shuffle_ps(highLo, highHi, _MM_SHUFFLE(3, 1, 3, 1)));
    const __m256 wx = _mm256_permutevar8x32_ps(wx0, pairs), wy = _mm256_permutevar8x32_ps(wy0, pairs);
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
    // The order is its own inverse.
    StoreEight(r.dst + (x - 1) * 4, _mm256_permutevar8x32_epi32(out, pairs));
    for (int unsure = _mm256_movemask_ps(_mm256_permutevar8x32_ps(doubt, pairs)); unsure != 0; unsure &= unsure - 1)
      doubtful[doubtfulCount++] = x + __builtin_ctz(static_cast<unsigned>(unsure));
  }
  return x;
}

int32_t MagnifyBilinearRun(const float* blends, const int32_t* at, const float* weight, const int32_t* inside,
                           uint32_t fill, uint8_t* dst, int32_t x, int32_t w, int32_t* doubtful,
                           int32_t& doubtfulCount) {
  doubtfulCount = 0;
  const __m256 limit = _mm256_set1_ps(0.5f - 1.0f / 4096), sign = _mm256_set1_ps(-0.0f);
  const __m256 bgrLanes = _mm256_castsi256_ps(_mm256_setr_epi32(-1, -1, -1, 0, -1, -1, -1, 0));
  const __m256i fills = _mm256_set1_epi32(static_cast<int>(fill));
  const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
  for (; x + 8 <= w; x += 8) {
    // Two pixels a vector: the blend of column pairs, each channel rounded.
    __m256i rounded[4];
    int doubt = 0;
    for (int k = 0; k < 4; ++k) {
      const int32_t p = x + 2 * k;
      const float* c0 = blends + size_t(at[p]) * 4;
      const float* c1 = blends + size_t(at[p + 1]) * 4;
      const __m256 a = _mm256_loadu2_m128(c1, c0), b = _mm256_loadu2_m128(c1 + 4, c0 + 4);
      const __m256 v = _mm256_add_ps(a, _mm256_mul_ps(_mm256_sub_ps(b, a), _mm256_loadu_ps(weight + size_t(p) * 4)));
      rounded[k] = _mm256_cvtps_epi32(v);
      const __m256 off = _mm256_andnot_ps(sign, _mm256_sub_ps(v, _mm256_cvtepi32_ps(rounded[k])));
      const int lanes = _mm256_movemask_ps(_mm256_and_ps(_mm256_cmp_ps(off, limit, _CMP_GE_OQ), bgrLanes));
      doubt |= ((lanes & 0x0F) != 0 ? 1 : 0) << (2 * k) | ((lanes & 0xF0) != 0 ? 1 : 0) << (2 * k + 1);
    }
    // Packing works within each half: pixels come out as x, x+2, x+4, x+6,
    // x+1, ..., and are put back in order.
    const __m256i bytes = _mm256_packus_epi16(_mm256_packs_epi32(rounded[0], rounded[1]),
                                              _mm256_packs_epi32(rounded[2], rounded[3]));
    const __m256i eight = _mm256_permutevar8x32_epi32(bytes, order);
    const __m256i in = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(inside + x));
    StoreEight(dst + size_t(x) * 4, _mm256_or_si256(_mm256_and_si256(in, eight), _mm256_andnot_si256(in, fills)));
    for (int unsure = doubt & _mm256_movemask_ps(_mm256_castsi256_ps(in)); unsure != 0; unsure &= unsure - 1)
      doubtful[doubtfulCount++] = x + __builtin_ctz(static_cast<unsigned>(unsure));
  }
  return x;
}

int32_t SwirlRun(const uint8_t* src, uint8_t* dst, int32_t width, int32_t height, int32_t y, int32_t cx,
                 int32_t cy, const double* cosT, const double* sinT, uint32_t paint, int32_t x, int32_t x1) {
  const bool right = x >= cx;
  const __m256d dy = _mm256_set1_pd(y - cy), centreX = _mm256_set1_pd(cx), centreY = _mm256_set1_pd(cy);
  const __m128i one = _mm_set1_epi32(1), w = _mm_set1_epi32(width), h = _mm_set1_epi32(height);
  const __m128i fill = _mm_set1_epi32(static_cast<int>(paint));
  const __m128i reserved = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const int* from = reinterpret_cast<const int*>(src);
  for (; x + 3 <= x1; x += 4) {
    const __m256d dx = _mm256_setr_pd(x - cx, x + 1 - cx, x + 2 - cx, x + 3 - cx);
    __m256d c, s;
    if (right) {
      c = _mm256_loadu_pd(cosT + (x - cx));
      s = _mm256_loadu_pd(sinT + (x - cx));
    } else {  // the turns of cx - x, cx - x - 1, ... in reverse
      c = _mm256_permute4x64_pd(_mm256_loadu_pd(cosT + (cx - x - 3)), 0x1B);
      s = _mm256_permute4x64_pd(_mm256_loadu_pd(sinT + (cx - x - 3)), 0x1B);
    }
    const __m128i xs = _mm256_cvtpd_epi32(_mm256_add_pd(_mm256_sub_pd(_mm256_mul_pd(dx, c), _mm256_mul_pd(dy, s)), centreX));
    const __m128i ys = _mm256_cvtpd_epi32(_mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(dx, s), _mm256_mul_pd(dy, c)), centreY));
    // Inside: 1 < xs < W and 1 < ys < H.
    const __m128i inside = _mm_and_si128(_mm_and_si128(_mm_cmpgt_epi32(xs, one), _mm_cmplt_epi32(xs, w)),
                                         _mm_and_si128(_mm_cmpgt_epi32(ys, one), _mm_cmplt_epi32(ys, h)));
    const __m128i at = _mm_and_si128(inside, _mm_add_epi32(_mm_mullo_epi32(_mm_sub_epi32(ys, one), w),
                                                           _mm_sub_epi32(xs, one)));
    const __m128i got = _mm_mask_i32gather_epi32(fill, from, at, inside, 4);
    __m128i* d = reinterpret_cast<__m128i*>(dst + (x - 1) * 4);
    _mm_storeu_si128(d, _mm_or_si128(_mm_andnot_si128(reserved, got), _mm_and_si128(reserved, _mm_loadu_si128(d))));
  }
  return x;
}

}  // namespace tl::avx2
