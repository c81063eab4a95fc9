#pragma once
// An image in our pixel layout that the server reads and fills: in shared
// memory (MIT-SHM) where the server can attach it, else in our own memory
// and sent through the connection. Only for visuals whose pixels are ours
// (Connection::pixelsMatch).
#include "backends/x11/x11_connection.h"

#include <X11/extensions/XShm.h>

namespace tl::x11 {

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
  uint32_t* Row(int32_t y) {
    return reinterpret_cast<uint32_t*>(image_->data + static_cast<size_t>(y) * image_->bytes_per_line);
  }

  // Copies `r` of `pixels` into the same place of the image, with the
  // visual's alpha bits set.
  void CopyFrom(const Surface& pixels, const Rect& r, uint32_t alphaBits);
  // Sends `r` of the image to the same place of the drawable. Shared
  // memory is read by the server later: Wait before writing it again.
  void Put(Drawable to, GC gc, const Rect& r);
  void Wait();
  // Fills the image from the drawable's (x, y); false when the server
  // refuses (a part outside the drawable).
  bool Get(Drawable from, int32_t x, int32_t y);

 private:
  Display* display_;
  int32_t width_, height_;
  XImage* image_ = nullptr;
  XShmSegmentInfo shm_{};
  bool shared_ = false;
  bool sent_ = false;  // a shared put the server may not have read yet
};

}  // namespace tl::x11
