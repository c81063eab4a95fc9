// Our own pointer at the system's pointer size.
#include "toolkit/pointer_picture.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

TEST(PointerPicture, LargerSystemPointersRepeatEachPixelAndMoveTheHotSpot) {
  PointerPicture p;
  p.hotX = 12;
  p.hotY = 10;
  for (size_t row = 0; row < 32; ++row) p.andMask[row] = 0xF0F0F0F0u >> (row % 4);
  p.xorMask[5] = 0x80000001u;
  // As drawn at 32 (and below): four bytes a row, the leftmost pixel highest.
  const PointerBits same = PointerAtSize(p, 16);
  EXPECT_EQ(same.size, 32);
  EXPECT_EQ(std::make_pair(same.hotX, same.hotY), std::make_pair(12, 10));
  EXPECT_EQ(same.andBits[1 * 4], 0x78);  // row 1 is 0x78787878
  EXPECT_EQ(same.xorBits[5 * 4 + 3], 0x01);
  // At 48: rows of three 16-bit words, pixel (x, y) from (x * 2 / 3, y * 2 / 3).
  const PointerBits big = PointerAtSize(p, 48);
  ASSERT_EQ(big.andBits.size(), 6u * 48);
  EXPECT_EQ(std::make_pair(big.hotX, big.hotY), std::make_pair(18, 15));
  for (int32_t y = 0; y < 48; ++y)
    for (int32_t x = 0; x < 48; ++x) {
      const size_t at = static_cast<size_t>(y) * 6 + static_cast<size_t>(x / 8);
      ASSERT_EQ((big.xorBits[at] >> (7 - x % 8)) & 1, (p.xorMask[y * 2 / 3] >> (31 - x * 2 / 3)) & 1)
          << x << "," << y;
    }
}

TEST(PointerPicture, TheSizeTheUserChoseGrowsWithTheResolution) {
  const struct {
    int32_t chosen, system, dpi, size;
  } cases[] = {
      {0, 32, 96, 32},      // nothing chosen: the system's
      {32, 48, 144, 48},    // the smallest choice, as the system's own
      {48, 40, 120, 60},    // at 125 %
      {256, 64, 192, 512},  // the largest, at 200 %
      {4096, 32, 96, 32},   // out of the range the system keeps: none chosen
      {64, 32, 0, 64},      // no resolution told: 96 DPI
  };
  for (const auto& c : cases) EXPECT_EQ(PointerSize(c.chosen, c.system, c.dpi), c.size) << c.chosen;
}

}  // namespace
}  // namespace tl
