#pragma once
// Our own 32-bit pixel surfaces. Memory layout is the platform's BI_RGB pixel:
// bytes blue, green, red, reserved; as a little-endian uint32 that is
// 0x00RRGGBB. Rows are stored top-down with no padding.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "gfx/pixel_memory.h"

namespace tl {

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const Rect&) const = default;
};

// Smallest rectangle holding both (an empty one holds nothing).
Rect Union(const Rect& a, const Rect& b);
Rect Intersect(const Rect& a, const Rect& b);

// COLORREF (0x00BBGGRR, red in the low byte) to our pixel value and back.
constexpr uint32_t PixelFromColorRef(uint32_t c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr uint32_t ColorRefFromPixel(uint32_t p) { return PixelFromColorRef(p); }
constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
}

class Surface {
 public:
  Surface() = default;
  Surface(int32_t width, int32_t height, uint32_t fill = 0) { Resize(width, height, fill); }

  // Discards the contents; negative sizes count as 0.
  void Resize(int32_t width, int32_t height, uint32_t fill = 0, PixelPlace place = PixelPlace::Own) {
    width_ = width > 0 ? width : 0;
    height_ = height > 0 ? height : 0;
    const size_t bytes = static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4;
    if (bytes != pixels_.size() || place != pixels_.place()) {
      pixels_ = PixelMemory(bytes, place);  // zeroed as it comes
      if (fill != 0) Fill(fill);
    } else {
      Fill(fill);
    }
  }

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  Rect Bounds() const { return {0, 0, width_, height_}; }
  bool Contains(int32_t x, int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }

  uint32_t* Row(int32_t y) { return Data() + static_cast<size_t>(y) * width_; }
  const uint32_t* Row(int32_t y) const { return Data() + static_cast<size_t>(y) * width_; }
  uint32_t& At(int32_t x, int32_t y) { return Row(y)[x]; }
  uint32_t At(int32_t x, int32_t y) const { return Row(y)[x]; }

  uint32_t* Data() { return reinterpret_cast<uint32_t*>(pixels_.data()); }
  const uint32_t* Data() const { return reinterpret_cast<const uint32_t*>(pixels_.data()); }
  size_t ByteSize() const { return pixels_.size(); }

  void Fill(uint32_t value) { std::fill(Data(), Data() + ByteSize() / 4, value); }
  bool operator==(const Surface& o) const {
    return width_ == o.width_ && height_ == o.height_ &&
           (ByteSize() == 0 || std::memcmp(pixels_.data(), o.pixels_.data(), ByteSize()) == 0);
  }

 private:
  int32_t width_ = 0, height_ = 0;
  PixelMemory pixels_;
};

}  // namespace tl
