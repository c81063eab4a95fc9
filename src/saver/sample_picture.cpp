#include "saver/sample_picture.h"

#include <algorithm>
#include <cstdint>

#include "gfx/raster.h"

namespace tl {

namespace {

// Positions are laid out on the 152 x 112 design and scaled to the size drawn.
struct Layout {
  int32_t w, h;
  int32_t X(int32_t x) const { return x * w / kSampleWidth; }
  int32_t Y(int32_t y) const { return y * h / kSampleHeight; }
  Rect R(int32_t l, int32_t t, int32_t r, int32_t b) const { return {X(l), Y(t), X(r), Y(b)}; }
};

uint32_t Darken(uint32_t px, int32_t amount) {
  uint32_t out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int32_t c = std::max<int32_t>(int32_t((px >> shift) & 0xFF) - amount, 0);
    out |= uint32_t(c) << shift;
  }
  return out;
}

}  // namespace

Surface DrawSamplePicture(int32_t width, int32_t height) {
  Surface s(width, height);
  const Layout L{width, height};
  // Desktop: a sky-to-sea gradient with a taskbar along the bottom.
  VerticalGradient(s, L.R(0, 0, 152, 102), Rgb(40, 110, 190), Rgb(10, 50, 110));
  FillRect(s, L.R(0, 102, 152, 112), Rgb(32, 32, 40));
  FillRect(s, L.R(2, 104, 12, 110), Rgb(70, 140, 220));
  // Desktop icons down the left edge.
  for (int32_t i = 0; i < 3; ++i) {
    FillRect(s, L.R(6, 8 + i * 20, 16, 18 + i * 20), Rgb(235, 200, 90));
    FillRect(s, L.R(5, 20 + i * 20, 17, 22 + i * 20), Rgb(230, 230, 230));
  }
  // An open window: title bar, client area, a few lines of text.
  FillRect(s, L.R(36, 18, 132, 86), Rgb(200, 200, 205));
  FillRect(s, L.R(37, 19, 131, 27), Rgb(30, 80, 160));
  FillRect(s, L.R(123, 20, 130, 26), Rgb(210, 70, 60));
  FillRect(s, L.R(38, 29, 130, 84), Rgb(250, 250, 250));
  for (int32_t i = 0; i < 6; ++i)
    FillRect(s, L.R(42, 33 + i * 8, 42 + 80 - (i * 23) % 40, 36 + i * 8), Rgb(90, 90, 100));
  // Partly faded: the saver's circle has reached part of the way out.
  const int64_t cx = width / 2, cy = height / 2;
  const int64_t r = std::min(width, height) * 2 / 5;
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const int64_t dx = x - cx, dy = y - cy;
      if (dx * dx + dy * dy <= r * r) s.At(x, y) = Darken(s.At(x, y), 96);
    }
  return s;
}

}  // namespace tl
