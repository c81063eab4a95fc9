#include "settings_ui/shading.h"

#include <cmath>

#include "base/numeric.h"
#include "gfx/gdi_shapes.h"

namespace tl {

int32_t ShadeLevel(int32_t y, int32_t height) {
  if (height <= 0) return 0;
  // 3.142, not pi: the last row's level is |sin(3.142)| x 220, which rounds to 0.
  const double period = height / 3.142;
  return static_cast<int32_t>(RoundHalfEven(std::fabs(std::sin(y / period) * 220.0)));
}

void Shade(Surface& onto, uint32_t (*colour)(int32_t level)) {
  const int32_t h = onto.Height(), w = onto.Width();
  // Rows 0 to h inclusive; the last lies just below the surface.
  for (int32_t y = 0; y <= h; ++y)
    DrawLine(onto, {0, y}, {w, y}, PixelFromColorRef(colour(ShadeLevel(y, h))));
}

}  // namespace tl
