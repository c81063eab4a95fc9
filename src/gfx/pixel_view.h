#pragma once
// A view of 32-bit pixels laid out in rows: where row 0 starts, the size, and
// the distance in bytes from one row to the next. A negative stride makes row
// 0 the last row in memory, so a bottom-up plane and a top-down surface are
// both plain views and one copy moves pixels between them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "gfx/surface.h"

namespace tl {

template <typename Byte>
struct BasicPixelView {
  Byte* origin = nullptr;  // first byte of row 0
  int32_t width = 0, height = 0;
  ptrdiff_t stride = 0;  // bytes from row y to row y + 1

  Byte* Row(int32_t y) const { return origin + static_cast<ptrdiff_t>(y) * stride; }
  size_t RowBytes() const { return static_cast<size_t>(width) * 4; }
  bool Empty() const { return width <= 0 || height <= 0 || origin == nullptr; }
  // Row 0 at the top of memory instead of the bottom, and the other way round.
  BasicPixelView Flipped() const {
    if (height <= 0) return *this;
    return {Row(height - 1), width, height, -stride};
  }
};

using PixelView = BasicPixelView<uint8_t>;
using ConstPixelView = BasicPixelView<const uint8_t>;

// Rows stored top-down, as our surfaces are.
inline PixelView TopDown(uint8_t* bytes, int32_t width, int32_t height) {
  return {bytes, width, height, static_cast<ptrdiff_t>(width) * 4};
}
inline ConstPixelView TopDown(const uint8_t* bytes, int32_t width, int32_t height) {
  return {bytes, width, height, static_cast<ptrdiff_t>(width) * 4};
}
// Rows stored bottom-up (the picture's top row last), as device-independent
// bitmaps and the engine's planes are; row 0 of the view is the top row.
inline PixelView BottomUp(uint8_t* bytes, int32_t width, int32_t height) {
  return TopDown(bytes, width, height).Flipped();
}
inline ConstPixelView BottomUp(const uint8_t* bytes, int32_t width, int32_t height) {
  return TopDown(bytes, width, height).Flipped();
}

inline PixelView ViewOf(Surface& s) {
  return TopDown(reinterpret_cast<uint8_t*>(s.Data()), s.Width(), s.Height());
}
inline ConstPixelView ViewOf(const Surface& s) {
  return TopDown(reinterpret_cast<const uint8_t*>(s.Data()), s.Width(), s.Height());
}

// The rows `first` to `first + count - 1` of a view.
template <typename Byte>
BasicPixelView<Byte> Rows(const BasicPixelView<Byte>& v, int32_t first, int32_t count) {
  return {v.Row(first), v.width, count, v.stride};
}

// Copies the overlap of the two views, row y to row y, from their origins.
// What the source does not cover is left as it was.
inline void CopyPixels(const PixelView& dst, const ConstPixelView& src) {
  const int32_t rows = std::min(dst.height, src.height);
  const size_t bytes = static_cast<size_t>(std::max(0, std::min(dst.width, src.width))) * 4;
  if (rows <= 0 || bytes == 0 || dst.origin == nullptr || src.origin == nullptr) return;
  for (int32_t y = 0; y < rows; ++y) std::memcpy(dst.Row(y), src.Row(y), bytes);
}

}  // namespace tl
