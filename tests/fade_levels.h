#pragma once
// A pixel at a fade level as the saver's tests expect it: below 256 each
// channel darkens by 255 - level, above it brightens by level - 256.
#include <algorithm>
#include <cstdint>

namespace tl {

inline uint32_t Faded(uint32_t px, int level) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    int c = int((px >> shift) & 0xFF);
    c = level < 256 ? std::max(c - (255 - level), 0) : std::min(c + (level - 256), 255);
    out |= uint32_t(c) << shift;
  }
  return out;
}

}  // namespace tl
