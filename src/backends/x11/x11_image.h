#pragma once
// Images that the server reads and fills: in the visual's layout, our
// pixels converted on the way in and out (Connection::pixels); shown in
// place only where the visual's pixels are ours (Connection::pixelsMatch).
#include "backends/x11/x11_connection.h"

#include <X11/extensions/XShm.h>

namespace tl::x11 {

// Whether MIT-SHM may be used on the connection: a local one, where the
// server reads what a segment of ours holds (x11_shared_memory.cpp).
bool SharedMemoryWorks(Display* d, int screen);

// Puts `r` of a shared-memory image at the same place of the drawable and
// returns the request's serial. The last put of a batch asks for the
// completion event: once read, it tells Xlib that the whole batch is done.
unsigned long PutShared(Display* d, Drawable to, GC gc, XImage* image, const Rect& r, bool last);

// An image of its own: in shared memory (MIT-SHM) where the server can
// attach it, else in our own memory and sent through the connection.
class PixelImage {
 public:
  PixelImage(Connection& c, int32_t width, int32_t height);
  ~PixelImage();
  PixelImage(const PixelImage&) = delete;
  PixelImage& operator=(const PixelImage&) = delete;

  bool ok() const { return image_ != nullptr; }
  bool Shared() const { return shared_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  // Copies `r` of `pixels` into the same place of the image, converted to
  // the visual's pixels.
  void CopyFrom(const Surface& pixels, const Rect& r);
  // Row `y` of the image as our pixels, `count` of them from the left.
  void ReadRow(int32_t y, uint32_t* to, int32_t count) const;
  // Sends `r` of the image to the same place of the drawable; `last` of
  // a batch. Shared memory is read by the server later: Wait before
  // writing it again, which waits only while the server is behind.
  void Put(Drawable to, GC gc, const Rect& r, bool last = true);
  void Wait();
  // Fills the image from the drawable's (x, y); false when the server
  // refuses (a part outside the drawable).
  bool Get(Drawable from, int32_t x, int32_t y);

 private:
  uint8_t* Row(int32_t y) const {
    return reinterpret_cast<uint8_t*>(image_->data) + static_cast<size_t>(y) * image_->bytes_per_line;
  }

  Display* display_;
  const PixelConverter& convert_;
  int32_t width_, height_;
  XImage* image_ = nullptr;
  XShmSegmentInfo shm_{};
  bool shared_ = false;
  unsigned long sent_ = 0;  // a shared put the server may not have read yet
};

// A surface that the server reads where it lies: an image over the shared
// segment holding the surface (gfx/pixel_memory_shared.h), attached while
// this lives. The server reads the pixels as they are when it gets to a
// put, so a surface drawn on meanwhile may show its newer pixels early.
class SurfaceImage {
 public:
  // Not ok() when the surface lies in no segment or the server cannot
  // attach it.
  SurfaceImage(Connection& c, const Surface& pixels);
  ~SurfaceImage();
  SurfaceImage(const SurfaceImage&) = delete;
  SurfaceImage& operator=(const SurfaceImage&) = delete;

  bool ok() const { return image_ != nullptr; }
  // Whether this is an image of `pixels`' memory as it is now.
  bool Of(const Surface& pixels) const;
  void Put(Drawable to, GC gc, const Rect& r) { PutShared(display_, to, gc, image_, r, false); }

 private:
  Display* display_;
  XImage* image_ = nullptr;
  XShmSegmentInfo shm_{};
};

}  // namespace tl::x11
