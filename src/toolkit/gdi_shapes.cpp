#include "toolkit/gdi_shapes.h"

#include <algorithm>
#include <vector>

namespace tl {

void DrawLine(Surface& dst, Point from, Point to, uint32_t pixel) {
  TraceLine(from, to, [&](int32_t x, int32_t y) {
    if (dst.Contains(x, y)) dst.At(x, y) = pixel;
  });
}

namespace {

struct RowSink {
  int32_t begin, end;
  Span* rows;
  void Add(int32_t y, int32_t left, int32_t right) const {
    if (y >= begin && y < end) UnionSpan(rows[y - begin], {left, right});
  }
};

// The midpoint walk of one quadrant that both the outline and the fill
// follow: it starts on the horizontal axis at the box's edge and turns
// towards the vertical axis. `step(x, y)` sees every position before each move.
struct QuadrantWalk {
  int64_t a, b, asq, bsq, dx, dy, err;
  QuadrantWalk(int32_t width, int32_t height)
      : a(width - 1),
        b(height - 1),
        asq(8 * a * a),
        bsq(8 * b * b),
        dx(4 * b * b * (1 - a)),
        dy(4 * a * a * (1 + b % 2)),
        err(dx + dy + a * a * (b % 2)) {}
  // One move; reports which axes moved.
  void Move(bool& stepX, bool& stepY) {
    const int64_t e2 = 2 * err;
    stepX = e2 >= dx;
    if (stepX) {
      dx += bsq;
      err += dx;
    }
    stepY = e2 <= dy;
    if (stepY) {
      dy += asq;
      err += dy;
    }
  }
};

}  // namespace

void UnionEllipseSpans(Rect box, int32_t rowsBegin, int32_t rowsEnd, Span* rows) {
  if (box.left > box.right) std::swap(box.left, box.right);
  if (box.top > box.bottom) std::swap(box.top, box.bottom);
  const int32_t w = box.Width(), h = box.Height();
  if (w == 0 || h == 0) return;
  const RowSink sink{rowsBegin, rowsEnd, rows};
  const int32_t l = box.left, t = box.top, r = box.right;
  if (w <= 2 || h <= 2) {
    // Too small to curve: the platform draws the box's outline instead,
    // which covers the whole box; a single pixel's outline has no length.
    if (w == 1 && h == 1) return;
    for (int32_t y = std::max(t, rowsBegin); y < std::min(box.bottom, rowsEnd); ++y)
      sink.Add(y, l, r);
    return;
  }

  // Outline: the first quadrant's points, mirrored into the other three.
  // Consecutive points touch, so each closing segment adds only its start.
  {
    QuadrantWalk walk(w, h);
    int32_t px = w - 1, py = h / 2;
    while (px >= w / 2) {
      const int32_t run = l + w - 1 - px, runEnd = l + px + 1;
      sink.Add(t + h - 1 - py, run, runEnd);
      sink.Add(t + py, run, runEnd);
      bool sx, sy;
      walk.Move(sx, sy);
      if (sx) --px;
      if (sy) ++py;
    }
  }

  // Fill: one run per row of the box, narrowing by the same walk from the
  // middle row outwards, mirrored above the middle.
  {
    QuadrantWalk walk(w, h);
    const int32_t last = h - 1;
    auto row = [&](int32_t i, int32_t inset) {
      sink.Add(t + i, l + inset, r - inset);
      if (last - i < h / 2) sink.Add(t + last - i, l + inset, r - inset);
    };
    int32_t x = 0, y = h / 2;
    row(y, 0);
    while (x <= w / 2) {
      bool sx, sy;
      walk.Move(sx, sy);
      if (sx) ++x;
      if (sy) {
        ++y;
        if (y > last) break;  // the box has no such row
        row(y, x);
      }
    }
  }
}

void DrawEllipse(Surface& dst, Rect box, uint32_t pixel) {
  std::vector<Span> rows(static_cast<size_t>(dst.Height()));
  UnionEllipseSpans(box, 0, dst.Height(), rows.data());
  for (int32_t y = 0; y < dst.Height(); ++y) {
    const int32_t left = std::max(rows[y].left, 0), right = std::min(rows[y].right, dst.Width());
    if (left < right) std::fill(dst.Row(y) + left, dst.Row(y) + right, pixel);
  }
}

}  // namespace tl
