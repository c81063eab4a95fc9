#include "controls/state_pictures.h"

#include <algorithm>

namespace tl {

namespace {

constexpr int32_t kW = kStatePictureWidth, kH = kStatePictureHeight;
constexpr int32_t kSub = 8;  // subsamples per pixel along each axis

struct Rgb8 {
  int32_t r, g, b;
};

constexpr Rgb8 Hex(uint32_t rrggbb) {
  return {int32_t(rrggbb >> 16) & 0xFF, int32_t(rrggbb >> 8) & 0xFF, int32_t(rrggbb) & 0xFF};
}

Rgb8 Mix(Rgb8 a, Rgb8 b, int32_t t, int32_t of) {
  if (of <= 0) return a;
  return {a.r + (b.r - a.r) * t / of, a.g + (b.g - a.g) * t / of, a.b + (b.b - a.b) * t / of};
}

// How many of a pixel's kSub x kSub subsamples lie inside a rectangle with
// rounded corners, given by its pixel edges (right and bottom exclusive).
int32_t Coverage(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 int32_t radius) {
  // In units of 1/(2 kSub) pixel, so that subsample centres are odd integers.
  constexpr int32_t u = 2 * kSub;
  const int32_t l = left * u, t = top * u, r = right * u, b = bottom * u, rr = radius * u;
  int32_t n = 0;
  for (int32_t j = 0; j < kSub; ++j)
    for (int32_t i = 0; i < kSub; ++i) {
      const int32_t sx = x * u + 2 * i + 1, sy = y * u + 2 * j + 1;
      if (sx < l || sx > r || sy < t || sy > b) continue;
      const int32_t cx = std::clamp(sx, l + rr, r - rr), cy = std::clamp(sy, t + rr, b - rr);
      const int64_t dx = sx - cx, dy = sy - cy;
      if (dx * dx + dy * dy <= int64_t{rr} * rr) ++n;
    }
  return n;
}

enum class Side { Top, Left, Right, Bottom };

// A colour running down the picture through three stops.
Rgb8 ThreeStops(Rgb8 top, Rgb8 middle, Rgb8 bottom, int32_t y, int32_t first, int32_t last) {
  const int32_t mid = (first + last) / 2;
  if (y <= first) return top;
  if (y >= last) return bottom;
  return y <= mid ? Mix(top, middle, y - first, mid - first)
                  : Mix(middle, bottom, y - mid, last - mid);
}

// The colour inside the frame line: `ring` counts pixels in from the line
// (rings 0 and 1 are the band), `side` is the nearest edge.
Rgb8 Inner(StatePicture p, Side side, int32_t ring, int32_t y, int32_t bandTop, int32_t bandBottom) {
  // Inside the band lies the middle, which the button never shows.
  if (ring >= 2 && p != StatePicture::HighLight && p != StatePicture::HighLightSelect &&
      p != StatePicture::Selected)
    return p == StatePicture::Disable ? Hex(0xF5F4EA) : Hex(0xF3F3EE);
  switch (p) {
    case StatePicture::Normal:
      if (side == Side::Bottom) return ring == 0 ? Hex(0xD6D0C5) : Hex(0xE2DED6);
      if ((side == Side::Top || side == Side::Left) && ring == 0) return Hex(0xFFFFFF);
      return Hex(0xF3F3EE);
    case StatePicture::HighLight:
    case StatePicture::HighLightSelect:
      return ThreeStops(Hex(0xFFF0CF), Hex(0xFCD279), Hex(0xE59700), y, bandTop + 1, bandBottom - 1);
    case StatePicture::Selected:
      return ThreeStops(Hex(0xCEE7FF), Hex(0xB7D0F4), Hex(0x6982EE), y, bandTop + 1, bandBottom - 1);
    case StatePicture::Pressed:
      if (side == Side::Top) return Hex(0xD0CBBF);
      if (side == Side::Left) return Hex(0xE0DCD2);
      return Hex(0xF3F3EE);
    case StatePicture::Disable:
      return Hex(0xF5F4EA);
  }
  return Hex(0xF3F3EE);
}

}  // namespace

Surface DrawStatePicture(StatePicture p) {
  const bool disabled = p == StatePicture::Disable;
  const int32_t m = p == StatePicture::Pressed ? 2 : 1;  // the pushed-in frame sits a pixel further in
  const Rgb8 marginTop = disabled ? Hex(0xECE9D8) : Hex(0xEDEADA);
  const Rgb8 marginBottom = disabled ? Hex(0xECE9D8) : Hex(0xE0DCC9);
  const Rgb8 line = disabled ? Hex(0xC9C7BA) : Hex(0x003C74);
  // The first and last rows inside the frame line.
  const int32_t bandTop = m + 1, bandBottom = kH - m - 2;
  Surface s(kW, kH);
  constexpr int32_t all = kSub * kSub;
  for (int32_t y = 0; y < kH; ++y)
    for (int32_t x = 0; x < kW; ++x) {
      const int32_t outer = Coverage(x, y, m, m, kW - m, kH - m, 3);
      const int32_t inner = Coverage(x, y, m + 1, m + 1, kW - m - 1, kH - m - 1, 2);
      const int32_t toTop = y - bandTop, toBottom = bandBottom - y;
      const int32_t toLeft = x - (m + 1), toRight = kW - m - 2 - x;
      const int32_t ring = std::max(0, std::min({toTop, toBottom, toLeft, toRight}));
      const Side side = ring == toTop      ? Side::Top
                        : ring == toBottom ? Side::Bottom
                        : ring == toLeft   ? Side::Left
                                           : Side::Right;
      const Rgb8 margin = Mix(marginTop, marginBottom, y, kH - 1);
      const Rgb8 in = Inner(p, side, ring, y, bandTop, bandBottom);
      // Margin where neither shape reaches, the line between them, the band inside.
      const int32_t wm = all - outer, wl = outer - inner, wi = inner;
      auto blend = [&](int32_t Rgb8::*c) {
        return static_cast<uint8_t>((margin.*c * wm + line.*c * wl + in.*c * wi + all / 2) / all);
      };
      s.At(x, y) = Rgb(blend(&Rgb8::r), blend(&Rgb8::g), blend(&Rgb8::b));
    }
  return s;
}

StatePictures DrawStatePictures() {
  // Drawn once; every button keeps its own copy.
  static const StatePictures drawn = [] {
    StatePictures all;
    for (int i = 0; i < 6; ++i) all[i] = DrawStatePicture(static_cast<StatePicture>(i));
    return all;
  }();
  return drawn;
}

}  // namespace tl
