// Only intrinsics and plain pointers here: an inline function or template
// shared with other files, compiled into this file with AVX2, could be the
// copy the linker keeps for everyone.
#include "picfx/pixel_filters_avx2.h"

#include <immintrin.h>

namespace tl::avx2 {

namespace {

inline __m256i Load(const uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
inline void Store(uint8_t* p, __m256i v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
// Widening and packing work within each 128-bit half, in the same way both
// ways, so the pixels come back in their order.
inline __m256i Lo16(__m256i v) { return _mm256_unpacklo_epi8(v, _mm256_setzero_si256()); }
inline __m256i Hi16(__m256i v) { return _mm256_unpackhi_epi8(v, _mm256_setzero_si256()); }
inline __m256i MergeReserved(__m256i bgr, __m256i keep) {
  const __m256i reserved = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  return _mm256_or_si256(_mm256_andnot_si256(reserved, bgr), _mm256_and_si256(reserved, keep));
}
inline __m256i Colour16(const uint8_t* c) {
  const short b = c[0], g = c[1], r = c[2];
  return _mm256_setr_epi16(b, g, r, 0, b, g, r, 0, b, g, r, 0, b, g, r, 0);
}

template <int Count>
int32_t SumRow(const uint8_t* src, uint8_t* dst, ptrdiff_t row, int32_t x, int32_t x1,
               const ptrdiff_t* at, int shift) {
  const __m128i bits = _mm_cvtsi32_si128(shift);
  const __m256i mask = _mm256_set1_epi8(static_cast<char>(0xFF >> shift));
  ptrdiff_t offset[Count];
  for (int k = 0; k < Count; ++k) offset[k] = at[k];
  for (; x + 7 <= x1; x += 8) {
    const ptrdiff_t o = row + ptrdiff_t{x} * 4;
    __m256i sum = _mm256_setzero_si256();
    for (int k = 0; k < Count; ++k)
      sum = _mm256_add_epi8(
          sum, _mm256_and_si256(_mm256_srl_epi16(Load(src + o + offset[k]), bits), mask));
    Store(dst + o, sum);
  }
  return x;
}

}  // namespace

bool Available() { return __builtin_cpu_supports("avx2"); }

int32_t SumOfPartsRow(const uint8_t* src, uint8_t* dst, ptrdiff_t row, int32_t x, int32_t x1,
                      const ptrdiff_t* at, int count, int shift) {
  switch (count) {
    case 2: return SumRow<2>(src, dst, row, x, x1, at, shift);
    case 4: return SumRow<4>(src, dst, row, x, x1, at, shift);
    case 8: return SumRow<8>(src, dst, row, x, x1, at, shift);
    default: return x;
  }
}

int32_t SmoothEightRow(const uint8_t* src, uint8_t* dst, ptrdiff_t row, int32_t x, int32_t x1,
                       ptrdiff_t rowBytes, uint8_t* scratch) {
  const int32_t groups = (x1 - x + 1) / 8;
  if (groups <= 0) return x;
  const int32_t last = x + groups * 8 - 1;
  const __m256i mask = _mm256_set1_epi8(0x1F);
  const auto eighth = [&](const uint8_t* p) {
    return _mm256_and_si256(_mm256_srli_epi16(Load(p), 3), mask);
  };
  // Column sums for the pixels x - 1 .. last + 1; scratch pixel 0 is x - 1.
  int32_t c = x - 1;
  for (; c + 7 <= last + 1; c += 8) {
    const uint8_t* p = src + row + ptrdiff_t{c} * 4;
    Store(scratch + ptrdiff_t{c - x + 1} * 4,
          _mm256_add_epi8(_mm256_add_epi8(eighth(p - rowBytes), eighth(p)), eighth(p + rowBytes)));
  }
  for (; c <= last + 1; ++c) {
    const uint8_t* p = src + row + ptrdiff_t{c} * 4;
    for (int b = 0; b < 4; ++b)
      scratch[ptrdiff_t{c - x + 1} * 4 + b] =
          static_cast<uint8_t>((p[b - rowBytes] >> 3) + (p[b] >> 3) + (p[b + rowBytes] >> 3));
  }
  for (int32_t g = x; g <= last; g += 8) {
    const uint8_t* s = scratch + ptrdiff_t{g - x} * 4;  // the column left of g
    const __m256i columns = _mm256_add_epi8(_mm256_add_epi8(Load(s), Load(s + 4)), Load(s + 8));
    Store(dst + row + ptrdiff_t{g} * 4,
          _mm256_sub_epi8(columns, eighth(src + row + ptrdiff_t{g} * 4)));
  }
  return last + 1;
}

int32_t EdgeLiftRow(const uint8_t* src, uint8_t* dst, ptrdiff_t row, int32_t x, int32_t x1,
                    const ptrdiff_t* at, const uint8_t* bgr) {
  const __m256i c16 = Colour16(bgr);
  for (; x + 7 <= x1; x += 8) {
    const ptrdiff_t o = row + ptrdiff_t{x} * 4;
    __m256i lo = _mm256_setzero_si256(), hi = _mm256_setzero_si256();
    for (int k = 0; k < 9; ++k) {
      const __m256i v = Load(src + o + at[k]);
      lo = _mm256_add_epi16(lo, Lo16(v));
      hi = _mm256_add_epi16(hi, Hi16(v));
    }
    const __m256i centre = Load(src + o), cl = Lo16(centre), ch = Hi16(centre);
    lo = _mm256_add_epi16(_mm256_sub_epi16(_mm256_add_epi16(_mm256_slli_epi16(cl, 3), cl), lo), c16);
    hi = _mm256_add_epi16(_mm256_sub_epi16(_mm256_add_epi16(_mm256_slli_epi16(ch, 3), ch), hi), c16);
    Store(dst + o, MergeReserved(_mm256_packus_epi16(lo, hi), Load(dst + o)));
  }
  return x;
}

int32_t EmbossRow(const uint8_t* src, uint8_t* dst, ptrdiff_t row, int32_t x, int32_t x1,
                  const ptrdiff_t* at, const uint8_t* bgr) {
  const ptrdiff_t up = at[0], upRight = at[1], right = at[2], left = at[3], downLeft = at[4],
                  down = at[5];
  const __m256i c16 = Colour16(bgr), fifty = _mm256_set1_epi16(50), top = _mm256_set1_epi16(255);
  for (; x + 7 <= x1; x += 8) {
    const ptrdiff_t o = row + ptrdiff_t{x} * 4;
    const uint8_t* s = src + o;
    const auto half = [&](__m256i (*widen)(__m256i)) {
      const __m256i plus = _mm256_add_epi16(
          _mm256_add_epi16(widen(Load(s + up)), _mm256_slli_epi16(widen(Load(s + upRight)), 1)),
          widen(Load(s + right)));
      const __m256i minus = _mm256_add_epi16(
          _mm256_add_epi16(widen(Load(s + left)), _mm256_slli_epi16(widen(Load(s + downLeft)), 1)),
          widen(Load(s + down)));
      const __m256i sum = _mm256_sub_epi16(_mm256_add_epi16(widen(Load(s)), plus), minus);
      const __m256i v = _mm256_add_epi16(_mm256_srai_epi16(sum, 1), fifty);
      const __m256i over = _mm256_cmpgt_epi16(v, top);
      return _mm256_or_si256(_mm256_and_si256(over, c16), _mm256_andnot_si256(over, v));
    };
    Store(dst + o, MergeReserved(_mm256_packus_epi16(half(Lo16), half(Hi16)), Load(dst + o)));
  }
  return x;
}

}  // namespace tl::avx2
