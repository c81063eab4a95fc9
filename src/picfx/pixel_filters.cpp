#include "picfx/pixel_filters.h"

#include <array>
#include <cstddef>
#include <vector>

#if defined(TIDELIGHT_AVX2)
#include "picfx/pixel_filters_avx2.h"
#endif

namespace tl {

namespace {

FilterVectors& Chosen() {
  static FilterVectors chosen = WidestFilterVectors();
  return chosen;
}

bool Avx2Chosen() { return Chosen() == FilterVectors::Avx2; }

// One neighbour of the pixel being written, in pixels across and rows up.
struct Offset {
  int dx, dy;
};

ptrdiff_t ByteOffset(const FilterPlanes& p, Offset o) {
  return static_cast<ptrdiff_t>(o.dy) * p.width * 4 + o.dx * 4;
}

#if defined(__SSE2__)
inline __m128i Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline __m128i Lo16(__m128i v) { return _mm_unpacklo_epi8(v, _mm_setzero_si128()); }
inline __m128i Hi16(__m128i v) { return _mm_unpackhi_epi8(v, _mm_setzero_si128()); }
// Blue, green and red of `bgr` with the reserved bytes of `keep`.
inline __m128i MergeReserved(__m128i bgr, __m128i keep) {
  const __m128i reserved = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  return _mm_or_si128(_mm_andnot_si128(reserved, bgr), _mm_and_si128(reserved, keep));
}
inline __m128i Colour16(Bgr c) {
  return _mm_setr_epi16(c.blue, c.green, c.red, 0, c.blue, c.green, c.red, 0);
}
#endif

// A row's groups of eight pixels with AVX2: given the byte offset of the
// row and the pixels x .. x1, it returns the first pixel it left.
using WideRow = int32_t (*)(ptrdiff_t row, int32_t x, int32_t x1);

// Runs `wide` (when chosen) over groups of eight pixels, `block` over groups
// of four and `pixel` over the rest, for the pixels x0 .. x1 (0-based,
// inclusive) of the rows y0 .. y1. `block` and `pixel` get the byte offset of
// the pixel within a plane.
template <typename Wide, typename Block, typename Pixel>
void ForInterior(const FilterPlanes& p, int32_t x0, int32_t x1, int32_t y0, int32_t y1,
                 Wide&& wide, Block&& block, Pixel&& pixel) {
  if (x0 > x1 || y0 > y1) return;
  const bool useWide = Avx2Chosen();
  for (int32_t y = y0; y <= y1; ++y) {
    const ptrdiff_t row = static_cast<ptrdiff_t>(y) * p.width * 4;
    int32_t x = x0;
    if (useWide) x = wide(row, x, x1);
#if defined(__SSE2__)
    for (; x + 3 <= x1; x += 4) block(row + ptrdiff_t{x} * 4);
#else
    (void)block;
#endif
    for (; x <= x1; ++x) pixel(row + ptrdiff_t{x} * 4);
  }
}

template <int Shift, size_t K>
void SumOfParts(const FilterPlanes& p, const std::array<Offset, K>& around, int32_t x0,
                int32_t x1, int32_t y0, int32_t y1) {
  std::array<ptrdiff_t, K> at;
  for (size_t k = 0; k < K; ++k) at[k] = ByteOffset(p, around[k]);
  const auto block = [&](ptrdiff_t o) {
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi8(static_cast<char>(0xFF >> Shift));
    __m128i sum = _mm_setzero_si128();
    for (size_t k = 0; k < K; ++k)
      sum = _mm_add_epi8(sum, _mm_and_si128(_mm_srli_epi16(Load(p.src + o + at[k]), Shift), mask));
    Store(p.dst + o, sum);
#else
    (void)o;
#endif
  };
  const auto pixel = [&](ptrdiff_t o) {
    for (int b = 0; b < 4; ++b) {
      unsigned sum = 0;
      for (size_t k = 0; k < K; ++k) sum += p.src[o + at[k] + b] >> Shift;
      p.dst[o + b] = static_cast<uint8_t>(sum);
    }
  };
#if defined(TIDELIGHT_AVX2)
  // Room for one row's column sums and a group's spill.
  std::vector<uint8_t> scratch(K == 8 && Avx2Chosen() ? static_cast<size_t>(p.width) * 4 + 64 : 0);
#endif
  const auto wide = [&](ptrdiff_t row, int32_t x, int32_t last) {
#if defined(TIDELIGHT_AVX2)
    if constexpr (K == 8)
      return avx2::SmoothEightRow(p.src, p.dst, row, x, last, ptrdiff_t{p.width} * 4,
                                  scratch.data());
    return avx2::SumOfPartsRow(p.src, p.dst, row, x, last, at.data(), static_cast<int>(K), Shift);
#else
    (void)row, (void)last;
    return x;
#endif
  };
  ForInterior(p, x0, x1, y0, y1, wide, block, pixel);
}

uint8_t Clamp255(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

}  // namespace

void Smooth(const FilterPlanes& p, int32_t amount) {
  const int32_t w = p.width, h = p.height;
  switch (amount) {
    case 1:
      return SumOfParts<1>(p, std::array<Offset, 2>{{{-1, 0}, {1, 0}}}, 1, w - 2, 0, h - 1);
    case 2:
      return SumOfParts<1>(p, std::array<Offset, 2>{{{0, -1}, {0, 1}}}, 0, w - 1, 1, h - 2);
    case 4:
      return SumOfParts<2>(p, std::array<Offset, 4>{{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}}, 1,
                           w - 2, 1, h - 2);
    case 8:
      return SumOfParts<3>(
          p,
          std::array<Offset, 8>{{{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}}},
          1, w - 2, 1, h - 2);
    default: return;
  }
}

void EdgeLift(const FilterPlanes& p, Bgr colour) {
  std::array<ptrdiff_t, 9> at;
  for (int k = 0; k < 9; ++k) at[k] = ByteOffset(p, {k % 3 - 1, k / 3 - 1});
  const auto block = [&](ptrdiff_t o) {
#if defined(__SSE2__)
    __m128i lo = _mm_setzero_si128(), hi = _mm_setzero_si128();
    for (int k = 0; k < 9; ++k) {
      const __m128i v = Load(p.src + o + at[k]);
      lo = _mm_add_epi16(lo, Lo16(v));
      hi = _mm_add_epi16(hi, Hi16(v));
    }
    // 8 x centre - neighbours = 9 x centre - all nine.
    const __m128i centre = Load(p.src + o), c16 = Colour16(colour);
    const __m128i cl = Lo16(centre), ch = Hi16(centre);
    lo = _mm_add_epi16(_mm_sub_epi16(_mm_add_epi16(_mm_slli_epi16(cl, 3), cl), lo), c16);
    hi = _mm_add_epi16(_mm_sub_epi16(_mm_add_epi16(_mm_slli_epi16(ch, 3), ch), hi), c16);
    Store(p.dst + o, MergeReserved(_mm_packus_epi16(lo, hi), Load(p.dst + o)));
#else
    (void)o;
#endif
  };
  const uint8_t c[3] = {colour.blue, colour.green, colour.red};
  const auto pixel = [&](ptrdiff_t o) {
    for (int b = 0; b < 3; ++b) {
      int v = 9 * p.src[o + b] + c[b];
      for (int k = 0; k < 9; ++k) v -= p.src[o + at[k] + b];
      p.dst[o + b] = Clamp255(v);
    }
  };
  const auto wide = [&](ptrdiff_t row, int32_t x, int32_t last) {
#if defined(TIDELIGHT_AVX2)
    return avx2::EdgeLiftRow(p.src, p.dst, row, x, last, at.data(), c);
#else
    (void)row, (void)last;
    return x;
#endif
  };
  ForInterior(p, 2, p.width - 2, 2, p.height - 2, wide, block, pixel);
}

void Relief(const FilterPlanes& p, Bgr colour) {
  const ptrdiff_t across = ByteOffset(p, {1, 1});
  const auto block = [&](ptrdiff_t o) {
#if defined(__SSE2__)
    const __m128i a = Load(p.src + o), b = Load(p.src + o + across), c16 = Colour16(colour);
    const __m128i zero = _mm_setzero_si128();
    __m128i lo = _mm_sub_epi16(_mm_sub_epi16(Lo16(a), Lo16(b)), c16);
    __m128i hi = _mm_sub_epi16(_mm_sub_epi16(Hi16(a), Hi16(b)), c16);
    lo = _mm_max_epi16(lo, _mm_sub_epi16(zero, lo));
    hi = _mm_max_epi16(hi, _mm_sub_epi16(zero, hi));
    Store(p.dst + o, MergeReserved(_mm_packus_epi16(lo, hi), Load(p.dst + o)));
#else
    (void)o;
#endif
  };
  const uint8_t c[3] = {colour.blue, colour.green, colour.red};
  const auto pixel = [&](ptrdiff_t o) {
    for (int b = 0; b < 3; ++b) {
      const int v = p.src[o + b] - p.src[o + across + b] - c[b];
      p.dst[o + b] = Clamp255(v < 0 ? -v : v);
    }
  };
  const auto narrow = [](ptrdiff_t, int32_t x, int32_t) { return x; };
  ForInterior(p, 1, p.width - 2, 1, p.height - 2, narrow, block, pixel);
}

void Emboss(const FilterPlanes& p, Bgr colour) {
  const ptrdiff_t up = ByteOffset(p, {0, 1}), upRight = ByteOffset(p, {1, 1}),
                  right = ByteOffset(p, {1, 0}), left = ByteOffset(p, {-1, 0}),
                  downLeft = ByteOffset(p, {-1, -1}), down = ByteOffset(p, {0, -1});
  const auto block = [&](ptrdiff_t o) {
#if defined(__SSE2__)
    const uint8_t* s = p.src + o;
    const __m128i c16 = Colour16(colour), fifty = _mm_set1_epi16(50), top = _mm_set1_epi16(255);
    const auto half = [&](__m128i (*widen)(__m128i)) {
      const __m128i plus = _mm_add_epi16(
          _mm_add_epi16(widen(Load(s + up)), _mm_slli_epi16(widen(Load(s + upRight)), 1)),
          widen(Load(s + right)));
      const __m128i minus = _mm_add_epi16(
          _mm_add_epi16(widen(Load(s + left)), _mm_slli_epi16(widen(Load(s + downLeft)), 1)),
          widen(Load(s + down)));
      const __m128i sum = _mm_sub_epi16(_mm_add_epi16(widen(Load(s)), plus), minus);
      const __m128i v = _mm_add_epi16(_mm_srai_epi16(sum, 1), fifty);
      const __m128i over = _mm_cmpgt_epi16(v, top);
      return _mm_or_si128(_mm_and_si128(over, c16), _mm_andnot_si128(over, v));
    };
    Store(p.dst + o, MergeReserved(_mm_packus_epi16(half(Lo16), half(Hi16)), Load(p.dst + o)));
#else
    (void)o;
#endif
  };
  const uint8_t c[3] = {colour.blue, colour.green, colour.red};
  const auto pixel = [&](ptrdiff_t o) {
    const uint8_t* s = p.src + o;
    for (int b = 0; b < 3; ++b) {
      const int d = s[up + b] + 2 * s[upRight + b] + s[right + b] - s[left + b] -
                    2 * s[downLeft + b] - s[down + b];
      const int sum = s[b] + d;
      const int v = (sum >= 0 ? sum / 2 : -((-sum + 1) / 2)) + 50;  // floor of the half
      p.dst[o + b] = v > 255 ? c[b] : v < 0 ? 0 : static_cast<uint8_t>(v);
    }
  };
  const auto wide = [&](ptrdiff_t row, int32_t x, int32_t last) {
#if defined(TIDELIGHT_AVX2)
    const ptrdiff_t at[6] = {up, upRight, right, left, downLeft, down};
    return avx2::EmbossRow(p.src, p.dst, row, x, last, at, c);
#else
    (void)row, (void)last;
    return x;
#endif
  };
  ForInterior(p, 1, p.width - 2, 1, p.height - 2, wide, block, pixel);
}

FilterVectors WidestFilterVectors() {
#if defined(TIDELIGHT_AVX2)
  if (avx2::Available()) return FilterVectors::Avx2;
#endif
  return FilterVectors::Sse2;
}

void UseFilterVectors(FilterVectors vectors) {
  Chosen() = vectors == FilterVectors::Avx2 ? WidestFilterVectors() : vectors;
}

bool WideVectorsChosen() { return Avx2Chosen(); }

}  // namespace tl
