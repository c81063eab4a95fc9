// Our vertical gradient fill and stretched copy against the system's
// GradientFill (msimg32) and StretchBlt (gdi32) on 32-bit DIB sections,
// pixel for pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gfx/raster.h"

namespace tl {
namespace {

// A memory device context on a top-down 32-bit DIB section.
class Canvas {
 public:
  Canvas(int32_t w, int32_t h) : w_(w), h_(h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool ok() const { return dc_ && bits_; }
  HDC dc() const { return dc_; }
  void Load(const Surface& s) {
    GdiFlush();
    std::memcpy(bits_, s.Data(), s.ByteSize());
  }
  Surface Read() const {
    GdiFlush();
    Surface s(w_, h_);
    std::memcpy(s.Data(), bits_, s.ByteSize());
    return s;
  }

 private:
  int32_t w_, h_;
  HBITMAP bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

std::string FirstDifference(const Surface& system, const Surface& ours) {
  for (int32_t y = 0; y < system.Height(); ++y)
    for (int32_t x = 0; x < system.Width(); ++x)
      if (system.At(x, y) != ours.At(x, y)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "at (%d,%d) system %08x ours %08x", x, y,
                      static_cast<unsigned>(system.At(x, y)), static_cast<unsigned>(ours.At(x, y)));
        return buf;
      }
  return "";
}

// Every pixel a different value, so a wrong source pixel always shows.
Surface Numbered(int32_t w, int32_t h) {
  Surface s(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) s.At(x, y) = static_cast<uint32_t>(y * 256 + x) * 0x010101u + 0x102030u;
  return s;
}

TEST(GdiRaster, VerticalGradientsMatchTheSystemForEverySizeOrderAndColour) {
  constexpr int32_t kW = 12, kH = 70;
  Canvas gdi(kW, kH);
  ASSERT_TRUE(gdi.ok());
  const Surface background(kW, kH, 0x11223344);
  const TriVertex colours[][2] = {
      {{0, 0, 0xFF00, 0xFF00, 0xFF00, 0}, {0, 0, 0xC600, 0xC500, 0xD700, 0}},  // the button body
      {{0, 0, 0xC600, 0xC500, 0xD700, 0}, {0, 0, 0xFF00, 0xFF00, 0xFF00, 0}},
      {{0, 0, 0x0000, 0x7FFF, 0xFFFF, 0}, {0, 0, 0xFFFF, 0x8001, 0x0000, 0}},
      {{0, 0, 0x1234, 0xFEDC, 0x00FF, 0}, {0, 0, 0x1234, 0x0100, 0xFF00, 0}},
  };
  int failures = 0, cases = 0;
  for (const auto& pair : colours)
    for (int32_t top : {-3, 0, 2})
      for (int32_t h = 0; h <= 66; h += (h < 8 ? 1 : 7))
        for (int32_t left : {-1, 0, 3})
          for (bool swapped : {false, true}) {
            // Given as the button gives them: the lower-right corner first.
            TriVertex upper = pair[0], lower = pair[1];
            upper.x = left;
            upper.y = top;
            lower.x = left + 8;
            lower.y = top + h;
            TRIVERTEX v[2] = {{upper.x, upper.y, upper.red, upper.green, upper.blue, upper.alpha},
                              {lower.x, lower.y, lower.red, lower.green, lower.blue, lower.alpha}};
            GRADIENT_RECT rect{swapped ? 1u : 0u, swapped ? 0u : 1u};
            gdi.Load(background);
            GradientFill(gdi.dc(), v, 2, &rect, 1, GRADIENT_FILL_RECT_V);
            Surface ours = background;
            if (swapped) GradientFillV(ours, lower, upper); else GradientFillV(ours, upper, lower);
            ++cases;
            const std::string diff = FirstDifference(gdi.Read(), ours);
            if (!diff.empty() && ++failures <= 3)
              ADD_FAILURE() << "top " << top << " height " << h << " left " << left << ": " << diff;
          }
  EXPECT_EQ(failures, 0) << "of " << cases << " fills";
}

TEST(GdiRaster, StretchedCopiesMatchTheSystemGrowingShrinkingAndClipped) {
  const Surface src = Numbered(64, 25);
  Canvas from(64, 25), to(100, 60);
  ASSERT_TRUE(from.ok() && to.ok());
  from.Load(src);
  SetStretchBltMode(to.dc(), COLORONCOLOR);
  const Surface background(100, 60, 0x00ABCDEF);
  int failures = 0, cases = 0;
  auto check = [&](Rect d, Rect s) {
    to.Load(background);
    StretchBlt(to.dc(), d.left, d.top, d.Width(), d.Height(), from.dc(), s.left, s.top, s.Width(),
               s.Height(), SRCCOPY);
    Surface ours = background;
    StretchBlt(ours, d, src, s);
    ++cases;
    const std::string diff = FirstDifference(to.Read(), ours);
    if (!diff.empty() && ++failures <= 3)
      ADD_FAILURE() << "dst " << d.left << "," << d.top << " " << d.Width() << "x" << d.Height()
                    << " src " << s.left << "," << s.top << " " << s.Width() << "x" << s.Height()
                    << ": " << diff;
  };
  // The frame pieces at 96 and 144 DPI and at odd sizes.
  for (int32_t dw : {1, 2, 3, 4, 6, 17, 26, 29, 37, 56, 73, 84, 97})
    for (int32_t sw : {1, 2, 4, 17, 56, 63})
      check({2, 3, 2 + dw, 3 + (dw % 50) + 1}, {1, 2, 1 + sw, 2 + (sw % 23) + 1});
  // Every pair of lengths up to 30 on both axes at once.
  for (int32_t d = 1; d <= 30; ++d)
    for (int32_t s = 1; s <= 25; ++s) check({5, 4, 5 + d, 4 + (31 - d)}, {30 - s, 25 - s, 30, 25});
  // Partly outside the destination on each side.
  for (Rect d : {Rect{-5, -4, 30, 20}, Rect{80, 50, 120, 75}, Rect{-10, 10, 110, 30}})
    for (Rect s : {Rect{0, 0, 4, 4}, Rect{60, 0, 64, 25}, Rect{4, 4, 60, 21}}) check(d, s);
  EXPECT_EQ(failures, 0) << "of " << cases << " copies";
}

}  // namespace
}  // namespace tl
