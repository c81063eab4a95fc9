#pragma once
// Positions and sizes of controls in twips (1/1440 inch), and their pixels.
#include <cmath>
#include <cstdint>

#include "gfx/surface.h"

namespace tl {

struct TwipRect {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool operator==(const TwipRect&) const = default;
};

// Twips to whole pixels at a number of twips per pixel, halves to even.
inline int32_t TwipsToPixels(double twips, int32_t twipsPerPixel) {
  if (twipsPerPixel <= 0 || !std::isfinite(twips)) return 0;
  const double px = std::nearbyint(twips / twipsPerPixel);
  return px < -1e9 ? -1000000000 : px > 1e9 ? 1000000000 : static_cast<int32_t>(px);
}

inline Rect PixelRect(const TwipRect& r, int32_t tppX, int32_t tppY) {
  const int32_t x = TwipsToPixels(r.left, tppX), y = TwipsToPixels(r.top, tppY);
  return {x, y, x + TwipsToPixels(r.width, tppX), y + TwipsToPixels(r.height, tppY)};
}

}  // namespace tl
