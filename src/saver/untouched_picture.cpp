#include "saver/untouched_picture.h"

#include <cstring>

namespace tl {

void CopyUntouched(const Tidelight_C& engine, const Rect& from, Surface& into, const Rect& at) {
  const PicBits& bits = engine.Bits();
  if (!engine.Bound() || bits.Empty()) return;
  const int32_t w = bits.Width(), h = bits.Height();
  const Rect picture{from.left, from.top, from.left + w, from.top + h};
  const Rect surface{at.left, at.top, at.left + into.Width(), at.top + into.Height()};
  const Rect both = Intersect(picture, surface);
  if (both.Empty()) return;
  const uint8_t* plane = bits.ReadPlane(1);
  for (int32_t y = both.top; y < both.bottom; ++y) {
    // The plane's rows are bottom-up, four bytes a pixel (BGRX), as ours.
    const int32_t row = h - 1 - (y - picture.top);
    const uint8_t* src = plane + (size_t(row) * size_t(w) + size_t(both.left - picture.left)) * 4;
    uint32_t* dst = into.Row(y - surface.top) + (both.left - surface.left);
    std::memcpy(dst, src, size_t(both.Width()) * 4);
    for (int32_t x = 0; x < both.Width(); ++x) dst[x] &= 0x00FFFFFF;
  }
}

}  // namespace tl
