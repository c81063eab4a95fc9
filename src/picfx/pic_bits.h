#pragma once
// The engine's pixel buffer: three equal planes in one contiguous block.
//
// Layout of pixel (x, y) of plane p, all counted from 1: byte b (1 blue,
// 2 green, 3 red, 4 reserved) sits at (b-1) + 4 * ((x-1) + W * ((y-1) + H * (p-1))).
// Rows are bottom-up: y = 1 is the picture's bottom row.
//
// Plane 1 holds the picture as read, plane 2 the working state, plane 3 the
// undo state. Restoring plane 2 from plane 3 is deferred: until something
// reads or writes plane 2 itself, plane 3 stands in for it, so that the
// saver's restore-then-effect step touches the bytes once instead of twice.
#include <cstddef>
#include <cstdint>
#include <span>

#include "gfx/pixel_memory.h"

namespace tl {

class PicBits {
 public:
  static constexpr int kWorking = 2;
  static constexpr int kUndo = 3;

  // Sizes the block for three width x height planes, discarding the
  // contents (all bytes 0). False, with the block left empty, when a plane
  // would not fit a signed 32-bit byte count or the memory is not there.
  bool Allocate(int32_t width, int32_t height);
  // Frees the block.
  void Erase();

  bool Empty() const { return bytes_.empty(); }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  size_t PlaneSize() const { return planeSize_; }

  static size_t Offset(int32_t b, int32_t x, int32_t y, int32_t p, int32_t width, int32_t height);

  // One block move of a plane, planes 1 to 3.
  void CopyPlane(int from, int to);
  // Plane 2 := plane 3, deferred (see above).
  void RestoreWorkingFromUndo() {
    if (!Empty()) deferred_ = true;
  }
  bool WorkingDeferred() const { return deferred_; }

  // The current contents of plane p, for reading (plane 3's bytes stand in
  // for a deferred plane 2).
  const uint8_t* ReadPlane(int p) const;
  // Plane p for writing; a deferred plane 2 is brought up to date first.
  uint8_t* WritePlane(int p);
  // The whole block with every plane up to date, for a pixel routine.
  std::span<uint8_t> Block();
  // Ends a deferral without the copy: the caller is about to write every
  // byte of plane 2 from plane 3, which it reads through the returned pointer.
  const uint8_t* TakeDeferredSource();

  // Pixel (x, y) of plane p, 1-based, as 0xXXRRGGBB (blue in the low byte).
  uint32_t Pixel(int32_t x, int32_t y, int p) const;

 private:
  uint8_t* PlaneStart(int p) { return bytes_.data() + planeSize_ * static_cast<size_t>(p - 1); }
  void Settle();

  PixelMemory bytes_;
  int32_t width_ = 0, height_ = 0;
  size_t planeSize_ = 0;
  bool deferred_ = false;
};

}  // namespace tl
