#include "gfx/raster.h"

#include <algorithm>

namespace tl {

Rect Union(const Rect& a, const Rect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

Rect Intersect(const Rect& a, const Rect& b) {
  Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return r.Empty() ? Rect{} : r;
}

void BitBlt(Surface& dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Surface& src,
            int32_t sx, int32_t sy, Rop rop) {
  // Clip against the source, then the destination, moving both origins.
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min({w, src.Width() - sx, dst.Width() - dx});
  h = std::min({h, src.Height() - sy, dst.Height() - dy});
  if (w <= 0 || h <= 0) return;
  const bool sameRows = &dst == &src && dy > sy;  // overlapping move downwards
  for (int32_t i = 0; i < h; ++i) {
    const int32_t row = sameRows ? h - 1 - i : i;
    const uint32_t* s = src.Row(sy + row) + sx;
    uint32_t* d = dst.Row(dy + row) + dx;
    switch (rop) {
      case Rop::SrcCopy: std::memmove(d, s, static_cast<size_t>(w) * 4); break;
      case Rop::NotSrcCopy: for (int32_t x = 0; x < w; ++x) d[x] = ~s[x]; break;
      case Rop::SrcAnd: for (int32_t x = 0; x < w; ++x) d[x] &= s[x]; break;
      case Rop::SrcPaint: for (int32_t x = 0; x < w; ++x) d[x] |= s[x]; break;
    }
  }
}

void FillRect(Surface& dst, Rect r, uint32_t pixel) {
  r = Intersect(r, dst.Bounds());
  for (int32_t y = r.top; y < r.bottom; ++y)
    std::fill(dst.Row(y) + r.left, dst.Row(y) + r.right, pixel);
}

void StretchCopy(Surface& dst, Rect dstRect, const Surface& src) {
  if (dstRect.Empty() || src.Width() == 0 || src.Height() == 0) return;
  const Rect clip = Intersect(dstRect, dst.Bounds());
  const int64_t dw = dstRect.Width(), dh = dstRect.Height();
  for (int32_t y = clip.top; y < clip.bottom; ++y) {
    const int64_t syy = ((2 * int64_t{y - dstRect.top} + 1) * src.Height()) / (2 * dh);
    const uint32_t* s = src.Row(static_cast<int32_t>(syy));
    uint32_t* d = dst.Row(y);
    for (int32_t x = clip.left; x < clip.right; ++x)
      d[x] = s[((2 * int64_t{x - dstRect.left} + 1) * src.Width()) / (2 * dw)];
  }
}

void VerticalGradient(Surface& dst, Rect r, uint32_t top, uint32_t bottom) {
  if (r.Empty()) return;
  const Rect clip = Intersect(r, dst.Bounds());
  const int64_t span = r.Height();
  for (int32_t y = clip.top; y < clip.bottom; ++y) {
    const int64_t t = y - r.top;
    uint32_t px = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int64_t a = (top >> shift) & 0xFF, b = (bottom >> shift) & 0xFF;
      px |= static_cast<uint32_t>(a + (b - a) * t / span) << shift;
    }
    std::fill(dst.Row(y) + clip.left, dst.Row(y) + clip.right, px);
  }
}

}  // namespace tl
