#include "gfx/raster.h"

#include <algorithm>
#include <vector>

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

namespace {
int64_t CeilDiv(int64_t a, int64_t b) { return a >= 0 ? (a + b - 1) / b : -(-a / b); }
}  // namespace

int32_t StretchSourceColumn(int32_t srcLen, int32_t dstLen, int32_t dstPos) {
  int64_t s = srcLen;
  const int64_t d = dstLen, x = dstPos;
  if (d >= s) return static_cast<int32_t>(CeilDiv((2 * x + 1) * s, 2 * d) - 1);
  if (d == 1) --s;
  return static_cast<int32_t>(s - 1 - CeilDiv(2 * (d - 1 - x) * s - d, 2 * d));
}

int32_t StretchSourceRow(int32_t srcLen, int32_t dstLen, int32_t dstPos) {
  const int64_t s = srcLen, d = dstLen, y = dstPos;
  if (d >= s) return static_cast<int32_t>(CeilDiv((2 * y + 1) * s, 2 * d) - 1);
  return static_cast<int32_t>((2 * y * s + d) / (2 * d));
}

void StretchBlt(Surface& dst, const Rect& dstRect, const Surface& src, const Rect& srcRect) {
  if (dstRect.Empty() || srcRect.Empty()) return;
  const Rect clip = Intersect(dstRect, dst.Bounds());
  if (clip.Empty()) return;
  const int32_t sw = srcRect.Width(), sh = srcRect.Height();
  const int32_t dw = dstRect.Width(), dh = dstRect.Height();
  std::vector<int32_t> columns(static_cast<size_t>(clip.Width()));
  for (int32_t x = clip.left; x < clip.right; ++x)
    columns[x - clip.left] = srcRect.left + StretchSourceColumn(sw, dw, x - dstRect.left);
  for (int32_t y = clip.top; y < clip.bottom; ++y) {
    const int32_t sy = srcRect.top + StretchSourceRow(sh, dh, y - dstRect.top);
    if (sy < 0 || sy >= src.Height()) continue;
    const uint32_t* s = src.Row(sy);
    uint32_t* d = dst.Row(y);
    for (int32_t x = clip.left; x < clip.right; ++x) {
      const int32_t sx = columns[x - clip.left];
      if (sx >= 0 && sx < src.Width()) d[x] = s[sx];
    }
  }
}

void GradientFillV(Surface& dst, const TriVertex& a, const TriVertex& b) {
  const TriVertex& upper = a.y <= b.y ? a : b;
  const TriVertex& lower = a.y <= b.y ? b : a;
  const Rect r{std::min(a.x, b.x), upper.y, std::max(a.x, b.x), lower.y};
  const Rect clip = Intersect(r, dst.Bounds());
  if (clip.Empty()) return;
  const int64_t len = int64_t{r.bottom} - r.top;
  const auto channel = [&](uint16_t from, uint16_t to, int64_t pos) {
    return static_cast<uint32_t>((int64_t{from} * (len - pos) + int64_t{to} * pos) / len / 256);
  };
  for (int32_t y = clip.top; y < clip.bottom; ++y) {
    const int64_t pos = int64_t{y} - r.top;
    const uint32_t px = channel(upper.alpha, lower.alpha, pos) << 24 |
                        channel(upper.red, lower.red, pos) << 16 |
                        channel(upper.green, lower.green, pos) << 8 |
                        channel(upper.blue, lower.blue, pos);
    std::fill(dst.Row(y) + clip.left, dst.Row(y) + clip.right, px);
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
