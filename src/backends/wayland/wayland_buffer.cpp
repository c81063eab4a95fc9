#include "backends/wayland/wayland_buffer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "gfx/pixel_memory_shared.h"

namespace tl::wl {

namespace {

// A buffer over `size` bytes of the file from its start; the pool goes at
// once (the buffer keeps what it needs).
wl_buffer* BufferOver(wl_shm* shm, int fd, size_t size, int32_t width, int32_t height,
                      int32_t stride, uint32_t format) {
  wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(size));
  if (!pool) return nullptr;
  wl_buffer* b = wl_shm_pool_create_buffer(pool, 0, width, height, stride, format);
  wl_shm_pool_destroy(pool);
  return b;
}

}  // namespace

ShmBuffer::ShmBuffer(wl_shm* shm, int32_t width, int32_t height, uint32_t format, int32_t stride)
    : width_(width), height_(height), stride_(stride > 0 ? stride : width * 4) {
  if (width <= 0 || height <= 0 || stride_ < width * 4) return;
  size_ = static_cast<size_t>(stride_) * static_cast<size_t>(height);
  if (size_ > INT32_MAX) return;
  const int fd = memfd_create("tidelight-buffer", MFD_CLOEXEC);
  if (fd < 0) return;
  if (ftruncate(fd, static_cast<off_t>(size_)) == 0) {
    data_ = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (data_ == MAP_FAILED) data_ = nullptr;
  }
  if (data_) buffer_ = BufferOver(shm, fd, size_, width, height, stride_, format);
  close(fd);  // the mapping and the compositor's copy of the descriptor remain
}

ShmBuffer::~ShmBuffer() {
  if (buffer_) wl_buffer_destroy(buffer_);
  if (data_) munmap(data_, size_);
}

void ShmBuffer::CopyFrom(const Surface& pixels, const Rect& r) {
  const Rect part = Intersect(Intersect(r, pixels.Bounds()), {0, 0, width_, height_});
  if (part.Empty() || !data_) return;
  for (int32_t y = part.top; y < part.bottom; ++y)
    std::memcpy(Row(y) + part.left, pixels.Row(y) + part.left,
                static_cast<size_t>(part.Width()) * 4);
}

SurfaceBuffer::SurfaceBuffer(wl_shm* shm, const Surface& pixels)
    : data_(pixels.Data()), width_(pixels.Width()), height_(pixels.Height()) {
  const int fd = PixelMemoryFile(pixels.Data());
  if (fd < 0 || width_ <= 0 || height_ <= 0) return;
  const size_t size = static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4;
  if (size > INT32_MAX) return;
  buffer_ = BufferOver(shm, fd, size, width_, height_, width_ * 4, WL_SHM_FORMAT_XRGB8888);
}

SurfaceBuffer::~SurfaceBuffer() {
  if (buffer_) wl_buffer_destroy(buffer_);
}

bool SurfaceBuffer::Of(const Surface& pixels) const {
  return buffer_ && data_ == pixels.Data() && width_ == pixels.Width() &&
         height_ == pixels.Height() && PixelMemoryFile(pixels.Data()) >= 0;
}

}  // namespace tl::wl
