#pragma once
// A mouse pointer of our own: 32 x 32 pixels in two colours with a
// transparent part, as the platform's monochrome pointers are made. Each row
// is 32 bits, the leftmost pixel in the highest bit.
//   and 1, xor 0: transparent      and 0, xor 0: black
//   and 0, xor 1: white            and 1, xor 1: the screen inverted
#include <array>
#include <cstdint>

namespace tl {

struct PointerPicture {
  int32_t hotX = 0, hotY = 0;
  std::array<uint32_t, 32> andMask{};
  std::array<uint32_t, 32> xorMask{};
  bool operator==(const PointerPicture&) const = default;
};

}  // namespace tl
