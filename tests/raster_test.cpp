#include <gtest/gtest.h>

#include "gfx/raster.h"

namespace tl {
namespace {

Surface Pattern(int32_t w, int32_t h) {
  Surface s(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) s.At(x, y) = uint32_t(y * 1000 + x) * 2654435761u;
  return s;
}

TEST(Raster, CopiesCombineEveryBitIncludingTheReservedByte) {
  const Surface src = Pattern(4, 3);
  Surface dst(4, 3, 0xF0F0F0F0);
  BitBlt(dst, 0, 0, 4, 3, src, 0, 0, Rop::SrcAnd);
  EXPECT_EQ(dst.At(2, 1), src.At(2, 1) & 0xF0F0F0F0);
  BitBlt(dst, 0, 0, 4, 3, src, 0, 0, Rop::SrcPaint);
  EXPECT_EQ(dst.At(3, 2), (src.At(3, 2) & 0xF0F0F0F0) | src.At(3, 2));
  BitBlt(dst, 0, 0, 4, 3, src, 0, 0, Rop::NotSrcCopy);
  EXPECT_EQ(dst.At(1, 0), ~src.At(1, 0));
  BitBlt(dst, 0, 0, 4, 3, src, 0, 0, Rop::SrcCopy);
  EXPECT_EQ(dst, src);
}

TEST(Raster, CopiesClipAtEveryEdgeOfBothSurfaces) {
  const Surface src = Pattern(5, 5);
  Surface dst(4, 4, 7);
  BitBlt(dst, -1, 2, 10, 10, src, 0, 0, Rop::SrcCopy);  // left and bottom clipped
  EXPECT_EQ(dst.At(0, 2), src.At(1, 0));
  EXPECT_EQ(dst.At(3, 3), src.At(4, 1));
  EXPECT_EQ(dst.At(0, 1), 7u);
  Surface d2(4, 4, 7);
  BitBlt(d2, 0, 0, 3, 3, src, -2, 3, Rop::SrcCopy);  // source origin outside
  EXPECT_EQ(d2.At(2, 0), src.At(0, 3));
  EXPECT_EQ(d2.At(2, 1), src.At(0, 4));
  EXPECT_EQ(d2.At(1, 0), 7u);
  EXPECT_EQ(d2.At(2, 2), 7u);
  Surface empty;
  BitBlt(empty, 0, 0, 5, 5, src, 0, 0, Rop::SrcCopy);  // nothing to write into
}

TEST(Raster, OverlappingCopyWithinOneSurfaceMovesRowsIntact) {
  Surface s = Pattern(3, 6);
  const Surface before = s;
  BitBlt(s, 0, 2, 3, 4, s, 0, 0, Rop::SrcCopy);
  for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(s.At(1, y + 2), before.At(1, y)) << y;
}

TEST(Raster, StretchSamplesPixelCentres) {
  Surface src(2, 2);
  src.At(0, 0) = 1; src.At(1, 0) = 2; src.At(0, 1) = 3; src.At(1, 1) = 4;
  Surface dst(4, 4);
  StretchCopy(dst, dst.Bounds(), src);
  EXPECT_EQ(dst.At(1, 1), 1u);
  EXPECT_EQ(dst.At(2, 1), 2u);
  EXPECT_EQ(dst.At(3, 3), 4u);
  Surface down(1, 1);
  StretchCopy(down, {0, 0, 1, 1}, Pattern(3, 3));
  EXPECT_EQ(down.At(0, 0), Pattern(3, 3).At(1, 1));
}

TEST(Raster, GradientRunsFromTopColourToBottomColourPerChannel) {
  Surface s(2, 5);
  VerticalGradient(s, s.Bounds(), Rgb(0, 100, 200), Rgb(200, 100, 0));
  EXPECT_EQ(s.At(0, 0), Rgb(0, 100, 200));
  EXPECT_EQ(s.At(1, 1), Rgb(40, 100, 160));
  EXPECT_EQ(s.At(1, 4), Rgb(160, 100, 40));  // the last row stops one step short
}

TEST(Raster, GradientFillSpansItsCornersExcludingTheLowerRightWhicheverWayGiven) {
  Surface a(4, 6, 7), b(4, 6, 7);
  const TriVertex top{0, 0, 0xFF00, 0x0000, 0x8000, 0}, bottom{3, 5, 0x0000, 0xFF00, 0x8000, 0};
  GradientFillV(a, top, bottom);
  GradientFillV(b, bottom, top);
  EXPECT_EQ(a, b);
  EXPECT_EQ(a.At(0, 0), Rgb(0xFF, 0, 0x80));
  EXPECT_EQ(a.At(2, 4), Rgb(0x33, 0xCC, 0x80));  // 1/5 of the way from the bottom
  EXPECT_EQ(a.At(3, 0), 7u) << "the right column is not filled";
  EXPECT_EQ(a.At(0, 5), 7u) << "nor the bottom row";
}

TEST(Raster, StretchBltCopiesOneForOneAtTheSameSizeAndEveryColumnWhenGrowing) {
  Surface src(5, 3);
  for (int32_t i = 0; i < 15; ++i) src.Data()[i] = uint32_t(i + 1);
  Surface same(5, 3);
  StretchBlt(same, same.Bounds(), src, src.Bounds());
  EXPECT_EQ(same, src);
  Surface wide(12, 7);
  StretchBlt(wide, wide.Bounds(), src, src.Bounds());
  for (int32_t x = 1; x < 12; ++x) EXPECT_GE(wide.At(x, 0), wide.At(x - 1, 0));
  EXPECT_EQ(wide.At(0, 0), 1u);
  EXPECT_EQ(wide.At(11, 6), 15u);
  for (int32_t s = 1; s < 40; ++s)
    for (int32_t d = 1; d < 40; ++d)
      for (int32_t i = 0; i < d; ++i) {
        ASSERT_GE(StretchSourceColumn(s, d, i), 0);
        ASSERT_LT(StretchSourceColumn(s, d, i), s);
        ASSERT_GE(StretchSourceRow(s, d, i), 0);
        ASSERT_LT(StretchSourceRow(s, d, i), s);
      }
}

TEST(Raster, ColourRefAndPixelSwapRedAndBlue) {
  EXPECT_EQ(PixelFromColorRef(0x00112233), 0x00332211u);
  EXPECT_EQ(ColorRefFromPixel(PixelFromColorRef(0x00ABCDEF)), 0x00ABCDEFu);
  EXPECT_EQ(Union({}, {1, 2, 3, 4}), (Rect{1, 2, 3, 4}));
  EXPECT_TRUE(Intersect({0, 0, 2, 2}, {3, 3, 4, 4}).Empty());
}

}  // namespace
}  // namespace tl
