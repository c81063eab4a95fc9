#pragma once
// Lines and ellipses with a 1-pixel solid pen and a solid brush, choosing
// exactly the pixels the platform's GDI chooses on a 32-bit bitmap, so that
// shapes drawn on our surfaces match what the system would draw.
//
// Lines: from the start point to the end point, the end point excluded; a
// diagonal line steps its minor axis by the platform's Bresenham rule, whose
// tie-break depends on the octant. Ellipses: the bounding box (left, top,
// right, bottom) with right and bottom exclusive, outline and fill together.
#include <cstdint>
#include <cstdlib>

#include "toolkit/surface.h"

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

// Unions the pixels that Ellipse paints for `box` into rows[y - rowsBegin] for
// each row y in [rowsBegin, rowsEnd); columns are not clipped. The pixels of
// one row of one ellipse always form a single run, and every run of a reveal's
// circles touches the centre column, so a row's union stays one run.
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
