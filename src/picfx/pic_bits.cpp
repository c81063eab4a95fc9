#include "picfx/pic_bits.h"

#include <cstring>
#include <new>

namespace tl {

bool PicBits::Allocate(int32_t width, int32_t height) {
  Erase();
  if (width <= 0 || height <= 0) return false;
  const int64_t plane = int64_t{width} * 4 * int64_t{height};
  if (plane > INT32_MAX) return false;
  try {
    bytes_ = PixelMemory(static_cast<size_t>(plane) * 3);
  } catch (const std::bad_alloc&) {
    return false;
  }
  width_ = width;
  height_ = height;
  planeSize_ = static_cast<size_t>(plane);
  return true;
}

void PicBits::Erase() {
  bytes_ = PixelMemory();
  width_ = height_ = 0;
  planeSize_ = 0;
  deferred_ = false;
}

size_t PicBits::Offset(int32_t b, int32_t x, int32_t y, int32_t p, int32_t width,
                       int32_t height) {
  return static_cast<size_t>(b - 1) +
         4 * (static_cast<size_t>(x - 1) +
              static_cast<size_t>(width) *
                  (static_cast<size_t>(y - 1) + static_cast<size_t>(height) * (p - 1)));
}

void PicBits::Settle() {
  if (!deferred_) return;
  deferred_ = false;
  std::memcpy(PlaneStart(kWorking), PlaneStart(kUndo), planeSize_);
}

void PicBits::CopyPlane(int from, int to) {
  if (Empty() || from == to) return;
  if (deferred_) {
    // Plane 3 already holds what plane 2 stands for.
    if (from == kWorking && to == kUndo) return;
    if (from == kUndo && to == kWorking) return;
    if (to == kWorking) {
      deferred_ = false;  // plane 2 is overwritten whole
    } else {
      Settle();
    }
  }
  if (from == kUndo && to == kWorking) {
    deferred_ = true;
    return;
  }
  std::memcpy(PlaneStart(to), PlaneStart(from), planeSize_);
}

const uint8_t* PicBits::ReadPlane(int p) const {
  if (Empty()) return nullptr;
  if (p == kWorking && deferred_) p = kUndo;
  return bytes_.data() + planeSize_ * static_cast<size_t>(p - 1);
}

uint8_t* PicBits::WritePlane(int p) {
  if (Empty()) return nullptr;
  if (p == kWorking || p == kUndo) Settle();
  return PlaneStart(p);
}

std::span<uint8_t> PicBits::Block() {
  Settle();
  return {bytes_.data(), bytes_.size()};
}

const uint8_t* PicBits::TakeDeferredSource() {
  if (!deferred_) return nullptr;
  deferred_ = false;
  return PlaneStart(kUndo);
}

uint32_t PicBits::Pixel(int32_t x, int32_t y, int p) const {
  const uint8_t* plane = ReadPlane(p);
  if (plane == nullptr) return 0;
  uint32_t v;
  std::memcpy(&v, plane + Offset(1, x, y, 1, width_, height_), 4);
  return v;
}

}  // namespace tl
