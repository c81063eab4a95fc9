#include "gfx/gdi_shapes.h"

#include <algorithm>
#include <vector>

namespace tl {

void DrawLine(Surface& dst, Point from, Point to, uint32_t pixel) {
  TraceLine(from, to, [&](int32_t x, int32_t y) {
    if (dst.Contains(x, y)) dst.At(x, y) = pixel;
  });
}

void UnionEllipseSpans(Rect box, int32_t rowsBegin, int32_t rowsEnd, Span* rows) {
  ForEachEllipseRun(box, rowsBegin, rowsEnd, [&](int32_t y, int32_t left, int32_t right) {
    UnionSpan(rows[y - rowsBegin], {left, right});
  });
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
