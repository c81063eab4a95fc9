#pragma once
// Pixels the compositor reads: wl_shm buffers over memory files, in our
// pixel layout (0x00RRGGBB little-endian is wl_shm's XRGB8888).
#include <wayland-client.h>

#include <cstdint>

#include "gfx/surface.h"

namespace tl::wl {

// A buffer of its own, mapped for us to write or read.
class ShmBuffer {
 public:
  ShmBuffer(wl_shm* shm, int32_t width, int32_t height, uint32_t format = WL_SHM_FORMAT_XRGB8888,
            int32_t stride = 0);
  ~ShmBuffer();
  ShmBuffer(const ShmBuffer&) = delete;
  ShmBuffer& operator=(const ShmBuffer&) = delete;

  bool ok() const { return buffer_ != nullptr; }
  wl_buffer* buffer() const { return buffer_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t Stride() const { return stride_; }
  uint32_t* Row(int32_t y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(data_) + static_cast<size_t>(y) * stride_);
  }
  // Copies `r` of `pixels` to the same place.
  void CopyFrom(const Surface& pixels, const Rect& r);

 private:
  int32_t width_, height_, stride_;
  size_t size_ = 0;
  void* data_ = nullptr;
  wl_buffer* buffer_ = nullptr;
};

// A buffer over a surface's own pixels where they lie in a memory file
// (gfx/pixel_memory_shared.h): presenting copies nothing. The compositor
// reads the pixels as they are when it gets to them.
class SurfaceBuffer {
 public:
  // Not ok() when the surface lies in no memory file.
  SurfaceBuffer(wl_shm* shm, const Surface& pixels);
  ~SurfaceBuffer();
  SurfaceBuffer(const SurfaceBuffer&) = delete;
  SurfaceBuffer& operator=(const SurfaceBuffer&) = delete;

  bool ok() const { return buffer_ != nullptr; }
  bool Of(const Surface& pixels) const;
  wl_buffer* buffer() const { return buffer_; }

 private:
  const uint32_t* data_ = nullptr;
  int32_t width_ = 0, height_ = 0;
  wl_buffer* buffer_ = nullptr;
};

}  // namespace tl::wl
