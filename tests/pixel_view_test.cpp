// Pixel views: bottom-up planes and top-down surfaces meet in one copy; the
// memory they live in.
#include "gfx/pixel_view.h"
#include "gfx/pixel_memory.h"
#ifdef __linux__
#include "gfx/pixel_memory_shared.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace tl {

namespace {
uint32_t PlanePixel(const std::vector<uint8_t>& plane, int32_t width, int32_t x, int32_t yFromBottom) {
  uint32_t v;
  std::memcpy(&v, plane.data() + (static_cast<size_t>(yFromBottom) * width + x) * 4, 4);
  return v;
}
}  // namespace

TEST(PixelView, BottomUpPlaneAndTopDownSurfaceRoundTripThroughOneCopy) {
  Surface s(3, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 3; ++x) s.At(x, y) = Rgb(uint8_t(x), uint8_t(y), 7);
  std::vector<uint8_t> plane(3 * 4 * 4, 0xEE);
  CopyPixels(BottomUp(plane.data(), 3, 4), ViewOf(std::as_const(s)));
  // The surface's top row is the plane's last row in memory.
  EXPECT_EQ(PlanePixel(plane, 3, 2, 3), s.At(2, 0));
  EXPECT_EQ(PlanePixel(plane, 3, 0, 0), s.At(0, 3));
  Surface back(3, 4);
  CopyPixels(ViewOf(back), BottomUp(static_cast<const uint8_t*>(plane.data()), 3, 4));
  EXPECT_EQ(back, s);
}

TEST(PixelView, CopiesOnlyTheOverlapAndRowsSelectsABand) {
  Surface big(4, 4, 0x111111), small(2, 3, 0x222222);
  CopyPixels(ViewOf(big), ViewOf(std::as_const(small)));
  EXPECT_EQ(big.At(1, 2), 0x222222u);
  EXPECT_EQ(big.At(2, 0), 0x111111u);  // beyond the source's width
  EXPECT_EQ(big.At(0, 3), 0x111111u);  // beyond its height
  const PixelView band = Rows(ViewOf(big).Flipped(), 1, 2);  // rows 2 and 1 from the top
  const Surface stripe(4, 2, 0x333333);
  CopyPixels(band, ViewOf(stripe));
  EXPECT_EQ(big.At(3, 1), 0x333333u);
  EXPECT_EQ(big.At(3, 2), 0x333333u);
  EXPECT_EQ(big.At(3, 3), 0x111111u);
  EXPECT_EQ(big.At(3, 0), 0x111111u);
  // Empty views copy nothing and touch nothing.
  CopyPixels(PixelView{}, ViewOf(std::as_const(small)));
  CopyPixels(ViewOf(big), ConstPixelView{});
  EXPECT_EQ(big.At(0, 0), 0x222222u);
}

}  // namespace tl

namespace tl {
namespace {

// Small blocks and ones big enough for huge pages (or, on Linux, for a
// shared segment), of odd sizes too: zeroed when they arrive, copied and
// moved whole, given back without a fault.
TEST(PixelMemory, ArrivesZeroedAndCopiesAndMovesWhole) {
  for ([[maybe_unused]] const bool shared : {false, true}) {
#ifdef __linux__
    SharePixelMemory(shared);
#endif
    for (const size_t bytes : {size_t{1}, size_t{4096}, (size_t{2} << 20) + 3, size_t{9} << 20}) {
      PixelMemory m(bytes, PixelPlace::Shown);
      ASSERT_EQ(m.size(), bytes);
      EXPECT_TRUE(std::all_of(m.data(), m.data() + bytes, [](uint8_t b) { return b == 0; })) << bytes;
      m.data()[0] = 1;
      m.data()[bytes - 1] = 2;
      PixelMemory copy(m);
      EXPECT_EQ(std::memcmp(copy.data(), m.data(), bytes), 0) << bytes;
      PixelMemory moved(std::move(copy));
      EXPECT_TRUE(copy.empty());
      EXPECT_EQ(moved.data()[bytes - 1], 2);
      moved = PixelMemory(7);  // the big block given back
      EXPECT_EQ(moved.size(), 7u);
    }
  }
#ifdef __linux__
  SharePixelMemory(false);
#endif
}

#ifdef __linux__
// Only big shown blocks made while sharing is on lie in segments, each until
// it is given back; a copy is the program's own.
TEST(PixelMemory, BigShownBlocksLieInSharedSegmentsOnlyWhileAsked) {
  constexpr PixelPlace kShown = PixelPlace::Shown;
  SharePixelMemory(true);
  PixelMemory small(4096, kShown), big(size_t{2} << 20, kShown), other(size_t{3} << 20, kShown);
  const PixelMemory own(size_t{2} << 20), copy(big);
  SharePixelMemory(false);
  const PixelMemory later(size_t{2} << 20, kShown);
  for (const PixelMemory* m : {&std::as_const(small), &own, &copy, &later})
    EXPECT_EQ(PixelMemorySegment(m->data()), -1) << m->size();
  const void* was = big.data();
  EXPECT_GE(PixelMemorySegment(was), 0);
  EXPECT_NE(PixelMemorySegment(other.data()), PixelMemorySegment(was));
  big = PixelMemory();
  EXPECT_EQ(PixelMemorySegment(was), -1);
}
#endif

}  // namespace
}  // namespace tl
