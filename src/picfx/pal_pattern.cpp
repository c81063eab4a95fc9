#include "picfx/pal_pattern.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tl {

namespace {

uint8_t Combine(uint8_t v, uint8_t p, PatternOp op) {
  switch (op) {
    case PatternOp::AddSaturate: return v + p > 255 ? 255 : static_cast<uint8_t>(v + p);
    case PatternOp::SubtractSaturate: return v < p ? 0 : static_cast<uint8_t>(v - p);
    case PatternOp::AddWrap: return static_cast<uint8_t>(v + p);
    case PatternOp::SubtractWrap: return static_cast<uint8_t>(v - p);
    case PatternOp::Invert: return static_cast<uint8_t>(255 - v);
  }
  return v;
}

#if defined(__SSE2__)
template <PatternOp Op>
inline __m128i Combine16(__m128i v, __m128i p) {
  if constexpr (Op == PatternOp::AddSaturate) return _mm_adds_epu8(v, p);
  if constexpr (Op == PatternOp::SubtractSaturate) return _mm_subs_epu8(v, p);
  if constexpr (Op == PatternOp::AddWrap) return _mm_add_epi8(v, p);
  if constexpr (Op == PatternOp::SubtractWrap) return _mm_sub_epi8(v, p);
  if constexpr (Op == PatternOp::Invert) return _mm_xor_si128(v, _mm_set1_epi32(-1));
}

template <PatternOp Op>
void PatternLoop(const uint8_t* src, uint8_t* dst, size_t pairs, uint32_t pattern) {
  const __m128i p = _mm_set1_epi32(static_cast<int>(pattern));
  const size_t bytes = pairs * 8;
  size_t i = 0;
  // Four registers per round keep loads and stores streaming.
  for (; i + 64 <= bytes; i += 64) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i + 32));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i + 48));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), Combine16<Op>(a, p));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 16), Combine16<Op>(b, p));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 32), Combine16<Op>(c, p));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 48), Combine16<Op>(d, p));
  }
  for (; i + 16 <= bytes; i += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), Combine16<Op>(a, p));
  }
  if (i < bytes) {  // one last pair
    const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(src + i));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst + i), Combine16<Op>(a, p));
  }
}
#endif

}  // namespace

void ApplyPatternScalar(const uint8_t* src, uint8_t* dst, size_t pairs, uint32_t pattern,
                        PatternOp op) {
  const uint8_t p[4] = {static_cast<uint8_t>(pattern), static_cast<uint8_t>(pattern >> 8),
                        static_cast<uint8_t>(pattern >> 16), static_cast<uint8_t>(pattern >> 24)};
  for (size_t i = 0; i < pairs * 8; ++i) dst[i] = Combine(src[i], p[i % 4], op);
}

void ApplyPattern(const uint8_t* src, uint8_t* dst, size_t pairs, uint32_t pattern,
                  PatternOp op) {
#if defined(__SSE2__)
  using enum PatternOp;
  switch (op) {
    case AddSaturate: return PatternLoop<AddSaturate>(src, dst, pairs, pattern);
    case SubtractSaturate: return PatternLoop<SubtractSaturate>(src, dst, pairs, pattern);
    case AddWrap: return PatternLoop<AddWrap>(src, dst, pairs, pattern);
    case SubtractWrap: return PatternLoop<SubtractWrap>(src, dst, pairs, pattern);
    case Invert: return PatternLoop<Invert>(src, dst, pairs, pattern);
  }
#else
  ApplyPatternScalar(src, dst, pairs, pattern, op);
#endif
}

}  // namespace tl
