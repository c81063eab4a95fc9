#include "toolkit/pointer_picture.h"

#include <cstddef>

namespace tl {

PointerBits PointerAtSize(const PointerPicture& picture, int32_t size) {
  PointerBits out;
  out.size = size > 32 ? size : 32;
  const int32_t n = out.size;
  out.hotX = picture.hotX * n / 32;
  out.hotY = picture.hotY * n / 32;
  const size_t stride = static_cast<size_t>((n + 15) / 16 * 2);
  out.andBits.assign(stride * static_cast<size_t>(n), 0);
  out.xorBits.assign(stride * static_cast<size_t>(n), 0);
  for (int32_t y = 0; y < n; ++y) {
    const size_t from = static_cast<size_t>(y * 32 / n);
    for (int32_t x = 0; x < n; ++x) {
      const uint32_t bit = 1u << (31 - x * 32 / n);
      const size_t at = static_cast<size_t>(y) * stride + static_cast<size_t>(x / 8);
      const auto mask = static_cast<uint8_t>(0x80u >> (x % 8));
      if (picture.andMask[from] & bit) out.andBits[at] |= mask;
      if (picture.xorMask[from] & bit) out.xorBits[at] |= mask;
    }
  }
  return out;
}

int32_t PointerSize(int32_t chosenAt96, int32_t systemSize, int32_t dpi) {
  constexpr int32_t kSmallest = 32, kLargest = 256;
  if (dpi <= 0 || dpi > 96 * 16) dpi = 96;
  if (chosenAt96 < kSmallest || chosenAt96 > kLargest) return systemSize;
  const int32_t chosen = (chosenAt96 * dpi + 48) / 96;
  return chosen > systemSize ? chosen : systemSize;
}

}  // namespace tl
