#pragma once
// Small pixel helpers the routines share. A pixel is four bytes: blue,
// green, red, reserved; the routines write the first three and keep the
// reserved byte unless an operation says otherwise.
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "base/numeric.h"

namespace tl {

// The colour field 0x00BBGGRR as the bytes of a pixel.
struct Bgr {
  uint8_t blue, green, red;
};
inline Bgr ChannelsOf(int32_t colour) {
  const uint32_t c = static_cast<uint32_t>(colour);
  return {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
}
// The colour as a pixel value (blue in the low byte), reserved byte 0.
inline uint32_t PixelOf(Bgr c) {
  return uint32_t{c.blue} | uint32_t{c.green} << 8 | uint32_t{c.red} << 16;
}

inline void Paint(uint8_t* px, Bgr c) {
  px[0] = c.blue;
  px[1] = c.green;
  px[2] = c.red;
}
inline void CopyBgr(uint8_t* dst, const uint8_t* src) {
  dst[0] = src[0];
  dst[1] = src[1];
  dst[2] = src[2];
}

inline uint32_t Load32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
inline void Store32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }
// The blue, green and red bytes of `value` into the pixel, its reserved byte kept.
inline void StoreBgr(uint8_t* px, uint32_t value) {
  Store32(px, (value & 0x00FFFFFFu) | (Load32(px) & 0xFF000000u));
}

// Blue, green and red of a row of src into a row of dst, dst's reserved bytes kept.
inline void CopyBgrRow(const uint8_t* src, uint8_t* dst, int32_t width) {
  int32_t x = 0;
#if defined(__SSE2__)
  const __m128i reserved = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  for (; x + 4 <= width; x += 4) {
    const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x * 4));
    __m128i* d = reinterpret_cast<__m128i*>(dst + x * 4);
    const __m128i keep = _mm_and_si128(_mm_loadu_si128(d), reserved);
    _mm_storeu_si128(d, _mm_or_si128(_mm_andnot_si128(reserved, s), keep));
  }
#endif
  for (; x < width; ++x) CopyBgr(dst + x * 4, src + x * 4);
}

// Round to nearest, ties to even; a value that is not a number or lies
// outside the 32-bit range gives INT32_MIN, as the processor's conversion
// does, so that every bounds test treats it as outside the picture.
inline int32_t RoundOrOutside(double v) {
#if defined(__SSE2__)
  return _mm_cvtsd_si32(_mm_set_sd(v));
#else
  if (!(v > -2147483648.5 && v < 2147483647.5)) return INT32_MIN;
  return static_cast<int32_t>(RoundHalfEven(v));
#endif
}

}  // namespace tl
