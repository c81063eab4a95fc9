#pragma once
// The dialog's background: horizontal bands shading from dark at the top and
// bottom edges to light in the middle, one line per pixel row.
#include <cstdint>

#include "gfx/surface.h"

namespace tl {

// The brightness of row `y` of a surface `height` rows high: 0 at the
// edges, 220 in the middle (|sin(y / (height / 3.142))| x 220, ties to even).
int32_t ShadeLevel(int32_t y, int32_t height);

// Row colours (COLORREF) by level: the dialog's blue and the panel's grey.
constexpr uint32_t DialogRowColour(int32_t v) {
  return static_cast<uint32_t>(v) | (static_cast<uint32_t>(v) << 8) |
         (static_cast<uint32_t>(v + 30) << 16);
}
constexpr uint32_t PanelRowColour(int32_t v) {
  const auto c = static_cast<uint32_t>(v + 30);
  return c | (c << 8) | (c << 16);
}

// Draws every row of `onto`, full width, in colour(level).
void Shade(Surface& onto, uint32_t (*colour)(int32_t level));

}  // namespace tl
