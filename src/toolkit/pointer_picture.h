#pragma once
// A mouse pointer of our own: 32 x 32 pixels in two colours with a
// transparent part, as the platform's monochrome pointers are made. Each row
// is 32 bits, the leftmost pixel in the highest bit.
//   and 1, xor 0: transparent      and 0, xor 0: black
//   and 0, xor 1: white            and 1, xor 1: the screen inverted
#include <array>
#include <cstdint>
#include <vector>

namespace tl {

struct PointerPicture {
  int32_t hotX = 0, hotY = 0;
  std::array<uint32_t, 32> andMask{};
  std::array<uint32_t, 32> xorMask{};
  bool operator==(const PointerPicture&) const = default;
};

// A pointer picture `size` pixels square, in the platform's monochrome
// form: each row padded to whole 16-bit words, its leftmost pixel in the
// highest bit of its first byte.
struct PointerBits {
  int32_t size = 32, hotX = 0, hotY = 0;
  std::vector<uint8_t> andBits, xorBits;
};

// The picture at the system's pointer size: enlarged by repeating pixels
// (nearest neighbour), the hot spot moved with them; at 32 or less, as drawn.
PointerBits PointerAtSize(const PointerPicture& picture, int32_t size);

// The pointers' size in pixels at a resolution: the size the user chose for
// them (as the system keeps it, for 96 DPI; 32 to 256, anything else meaning
// none chosen) scaled to `dpi`, and never smaller than the system's own
// pointer there (`systemSize`), which does not follow the user's choice.
int32_t PointerSize(int32_t chosenAt96, int32_t systemSize, int32_t dpi);

}  // namespace tl
