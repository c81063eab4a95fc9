#include "backends/x11/x11_pixel_format.h"

#include <bit>
#include <cstring>

namespace tl::x11 {

namespace {

int32_t Bits(uint32_t mask) { return std::popcount(mask); }

// One run of ones.
bool Contiguous(uint32_t mask) {
  const uint32_t low = mask >> std::countr_zero(mask);
  return (low & (low + 1)) == 0;
}

// A channel of `bits` bits made from 8, by repeating the bits, so that the
// darkest and brightest values map onto the ends of the range.
uint32_t Widen(uint32_t v, int32_t from, int32_t to) {
  uint32_t out = 0;
  for (int32_t at = to - from; at > -from; at -= from) out |= at >= 0 ? v << at : v >> -at;
  return out & ((1u << to) - 1);
}

}  // namespace

bool Servable(const PixelFormat& f) {
  if (f.bytesPerPixel < 1 || f.bytesPerPixel > 4) return false;
  const uint64_t room = (uint64_t{1} << (8 * f.bytesPerPixel)) - 1;
  uint32_t seen = 0;
  for (uint32_t m : {f.red, f.green, f.blue}) {
    if (m == 0 || !Contiguous(m) || Bits(m) > 16 || (m & ~room) != 0 || (m & seen) != 0) return false;
    seen |= m;
  }
  return true;
}

PixelConverter::Channel PixelConverter::Make(uint32_t mask) {
  Channel c;
  c.mask = mask;
  c.shift = std::countr_zero(mask);
  const int32_t bits = Bits(mask);
  for (uint32_t v = 0; v < 256; ++v) {
    const uint32_t value = bits <= 8 ? v >> (8 - bits) : Widen(v, 8, bits);
    c.place[v] = value << c.shift;
  }
  c.back.resize(size_t{1} << bits);
  for (uint32_t v = 0; v < c.back.size(); ++v)
    c.back[v] = static_cast<uint8_t>(bits >= 8 ? v >> (bits - 8) : Widen(v, bits, 8));
  return c;
}

PixelConverter::PixelConverter(const PixelFormat& f)
    : f_(f),
      ours_(f.bytesPerPixel == 4 && f.red == 0xFF0000 && f.green == 0xFF00 && f.blue == 0xFF &&
            !f.msbFirst),
      r_(Make(f.red)),
      g_(Make(f.green)),
      b_(Make(f.blue)) {}

uint32_t PixelConverter::Pixel(uint32_t rgb) const {
  return r_.place[(rgb >> 16) & 0xFF] | g_.place[(rgb >> 8) & 0xFF] | b_.place[rgb & 0xFF] | f_.fixed;
}

void PixelConverter::ToVisual(const uint32_t* from, uint8_t* to, int32_t count) const {
  if (ours_ && f_.fixed == 0) {
    std::memcpy(to, from, static_cast<size_t>(count) * 4);
    return;
  }
  if (ours_) {
    for (int32_t i = 0; i < count; ++i) {
      const uint32_t p = from[i] | f_.fixed;
      std::memcpy(to + 4 * i, &p, 4);
    }
    return;
  }
  const int32_t n = f_.bytesPerPixel;
  for (int32_t i = 0; i < count; ++i, to += n) {
    const uint32_t p = Pixel(from[i]);
    for (int32_t b = 0; b < n; ++b)
      to[b] = static_cast<uint8_t>(p >> (8 * (f_.msbFirst ? n - 1 - b : b)));
  }
}

void PixelConverter::FromVisual(const uint8_t* from, uint32_t* to, int32_t count) const {
  const int32_t n = f_.bytesPerPixel;
  if (ours_) {
    std::memcpy(to, from, static_cast<size_t>(count) * 4);
    for (int32_t i = 0; i < count; ++i) to[i] &= 0x00FFFFFF;  // our reserved byte stays 0
    return;
  }
  for (int32_t i = 0; i < count; ++i, from += n) {
    uint32_t p = 0;
    for (int32_t b = 0; b < n; ++b) p |= uint32_t{from[b]} << (8 * (f_.msbFirst ? n - 1 - b : b));
    to[i] = uint32_t{r_.back[(p & r_.mask) >> r_.shift]} << 16 |
            uint32_t{g_.back[(p & g_.mask) >> g_.shift]} << 8 | b_.back[(p & b_.mask) >> b_.shift];
  }
}

}  // namespace tl::x11
