#pragma once
// Lines and ellipses with a 1-pixel solid pen and a solid brush, choosing
// exactly the pixels the platform's GDI chooses on a 32-bit bitmap, so that
// shapes drawn on our surfaces match what the system would draw.
//
// Lines: from the start point to the end point, the end point excluded; a
// diagonal line steps its minor axis by the platform's Bresenham rule, whose
// tie-break depends on the octant. Ellipses: the bounding box (left, top,
// right, bottom) with right and bottom exclusive, outline and fill together.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "gfx/surface.h"

namespace tl {

struct Point {
  int32_t x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// A run of pixels [left, right) in one row; empty when right <= left.
struct Span {
  int32_t left = 0, right = 0;
  bool Empty() const { return right <= left; }
};

// Calls plot(x, y) for every pixel of the line from `from` to `to`, end
// excluded, unclipped and in drawing order. Clipping a line to a rectangle
// keeps exactly the pixels of the unclipped line that fall inside it.
template <class Plot>
void TraceLine(Point from, Point to, Plot&& plot) {
  const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
  if (dy == 0) {
    // Horizontal: the pixels between, the start included.
    if (dx > 0)
      for (int32_t x = from.x; x < to.x; ++x) plot(x, from.y);
    else
      for (int32_t x = from.x; x > to.x; --x) plot(x, from.y);
    return;
  }
  if (dx == 0) {
    if (dy > 0)
      for (int32_t y = from.y; y < to.y; ++y) plot(from.x, y);
    else
      for (int32_t y = from.y; y > to.y; --y) plot(from.x, y);
    return;
  }
  const int64_t adx = std::llabs(dx), ady = std::llabs(dy);
  const bool xMajor = adx > ady;
  const int32_t xInc = dx > 0 ? 1 : -1, yInc = dy > 0 ? 1 : -1;
  // The platform biases its rounding so that a line and its reverse do not
  // always share pixels: octants 3, 5, 6 and 8 (counted clockwise from +x
  // with y growing downwards) round the other way on a tie.
  const bool bias = (dy > 0 && dx < 0 && !xMajor) ||  // octant 3
                    (dy < 0 && dx < 0) ||             // octants 5 and 6
                    (dy < 0 && dx > 0 && xMajor);     // octant 8
  const int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  int64_t err = 2 * minor - major;
  int32_t x = from.x, y = from.y;
  for (int64_t n = 0; n < major; ++n) {
    plot(x, y);
    if (err + (bias ? 1 : 0) > 0) {
      if (xMajor) y += yInc; else x += xInc;
      err += 2 * minor - 2 * major;
    } else {
      err += 2 * minor;
    }
    if (xMajor) x += xInc; else y += yInc;
  }
}

// A line on a surface, clipped to it, as LineTo draws from the current position.
void DrawLine(Surface& dst, Point from, Point to, uint32_t pixel);

// Calls run(y, left, right) for each row y in [rowsBegin, rowsEnd) in which
// Ellipse paints pixels of `box`: one run [left, right) per row, columns not
// clipped, rows in no particular order.
//
// The platform fills the box row by row, narrowing by a midpoint walk from
// the middle row outwards, and strokes the walk's points as the outline; the
// outline never leaves the fill's runs, so the runs are the whole shape.
template <class Run>
void ForEachEllipseRun(Rect box, int32_t rowsBegin, int32_t rowsEnd, Run&& run) {
  if (box.left > box.right) std::swap(box.left, box.right);
  if (box.top > box.bottom) std::swap(box.top, box.bottom);
  const int64_t w = int64_t{box.right} - box.left, h = int64_t{box.bottom} - box.top;
  if (w == 0 || h == 0) return;
  const int32_t l = box.left, t = box.top, r = box.right;
  if (w <= 2 || h <= 2) {
    // Too small to curve: the platform strokes the box's outline instead,
    // which covers the whole box; a single pixel's outline has no length.
    if (w == 1 && h == 1) return;
    for (int32_t y = std::max(t, rowsBegin); y < std::min(box.bottom, rowsEnd); ++y) run(y, l, r);
    return;
  }
  const int64_t a = w - 1, b = h - 1;
  const int64_t asq = 8 * a * a, bsq = 8 * b * b;
  int64_t dx = 4 * b * b * (1 - a), dy = 4 * a * a * (1 + b % 2);
  int64_t err = dx + dy + a * a * (b % 2);
  const int64_t half = h / 2;
  // Row i of the box below the middle, and its mirror above it.
  auto rows = [&](int64_t i, int32_t inset) {
    const int64_t down = t + i, up = t + b - i;
    if (down >= rowsBegin && down < rowsEnd) run(static_cast<int32_t>(down), l + inset, r - inset);
    if (b - i < half && up >= rowsBegin && up < rowsEnd)
      run(static_cast<int32_t>(up), l + inset, r - inset);
    // Rows only move away from the middle: stop once both have left the range.
    return down >= rowsEnd && up < rowsBegin;
  };
  int64_t x = 0, i = half;
  if (rows(i, 0)) return;
  while (x <= w / 2) {
    const int64_t e2 = 2 * err;
    if (e2 >= dx) {
      ++x;
      dx += bsq;
      err += dx;
    }
    if (e2 <= dy) {
      ++i;
      dy += asq;
      err += dy;
      if (i > b) break;  // the box has no such row
      if (rows(i, static_cast<int32_t>(x))) return;
    }
  }
}

// Unions the runs of ForEachEllipseRun into rows[y - rowsBegin].
void UnionEllipseSpans(Rect box, int32_t rowsBegin, int32_t rowsEnd, Span* rows);

// An ellipse with outline and fill in one pixel value, clipped to the surface.
void DrawEllipse(Surface& dst, Rect box, uint32_t pixel);

// One row's run widened to hold another (both may be empty).
inline void UnionSpan(Span& into, Span add) {
  if (add.Empty()) return;
  if (into.Empty()) {
    into = add;
    return;
  }
  if (add.left < into.left) into.left = add.left;
  if (add.right > into.right) into.right = add.right;
}

}  // namespace tl
