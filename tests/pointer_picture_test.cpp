// Our own pointer at the system's pointer size.
#include "toolkit/pointer_picture.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

bool Bit(const std::vector<uint8_t>& bits, int32_t size, int32_t x, int32_t y) {
  const size_t stride = static_cast<size_t>((size + 15) / 16 * 2);
  return (bits[static_cast<size_t>(y) * stride + static_cast<size_t>(x / 8)] >> (7 - x % 8)) & 1;
}

TEST(PointerPicture, LargerSystemPointersRepeatEachPixelAndMoveTheHotSpot) {
  PointerPicture p;
  p.hotX = 12;
  p.hotY = 10;
  for (size_t row = 0; row < 32; ++row) {
    p.andMask[row] = 0xF0F0F0F0u >> (row % 4);
    p.xorMask[row] = row == 5 ? 0x80000001u : 0;
  }
  // As drawn at 32 (and below): four bytes a row, the leftmost pixel highest.
  for (int32_t size : {16, 32}) {
    const PointerBits b = PointerAtSize(p, size);
    ASSERT_EQ(b.size, 32);
    EXPECT_EQ(b.andBits.size(), 128u);
    EXPECT_EQ(b.andBits[1 * 4], 0x78);  // row 1 is 0x78787878
    EXPECT_EQ(b.xorBits[5 * 4], 0x80);
    EXPECT_EQ(b.xorBits[5 * 4 + 3], 0x01);
    EXPECT_EQ(std::make_pair(b.hotX, b.hotY), std::make_pair(12, 10));
  }
  // Twice the size: every pixel a 2 x 2 block; 48: rows of three words.
  const PointerBits twice = PointerAtSize(p, 64);
  EXPECT_EQ(std::make_pair(twice.hotX, twice.hotY), std::make_pair(24, 20));
  for (int32_t y = 0; y < 64; ++y)
    for (int32_t x = 0; x < 64; ++x) {
      const bool on = (p.andMask[static_cast<size_t>(y / 2)] >> (31 - x / 2)) & 1;
      ASSERT_EQ(Bit(twice.andBits, 64, x, y), on) << x << "," << y;
    }
  const PointerBits half = PointerAtSize(p, 48);
  EXPECT_EQ(half.andBits.size(), 6u * 48);
  EXPECT_EQ(std::make_pair(half.hotX, half.hotY), std::make_pair(18, 15));
  EXPECT_TRUE(Bit(half.xorBits, 48, 0, 8) && Bit(half.xorBits, 48, 47, 8));  // row 5 covers 8 and 9
  EXPECT_FALSE(Bit(half.xorBits, 48, 1, 10));
}

}  // namespace
}  // namespace tl
