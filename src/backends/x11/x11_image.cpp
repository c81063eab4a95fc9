#include "backends/x11/x11_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

namespace tl::x11 {

PixelImage::PixelImage(Connection& c, int32_t width, int32_t height)
    : display_(c.display), width_(width), height_(height) {
  if (!c.pixelsMatch || width <= 0 || height <= 0) return;
  if (c.sharedMemory) {
    image_ = XShmCreateImage(display_, c.visual, c.depth, ZPixmap, nullptr, &shm_, width, height);
    if (image_) {
      shm_.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * height,
                          IPC_CREAT | 0600);
      shm_.shmaddr = shm_.shmid < 0 ? reinterpret_cast<char*>(-1)
                                    : static_cast<char*>(shmat(shm_.shmid, nullptr, 0));
      if (shm_.shmaddr != reinterpret_cast<char*>(-1)) {
        image_->data = shm_.shmaddr;
        shm_.readOnly = False;
        ErrorTrap trap(display_);
        XShmAttach(display_, &shm_);
        shared_ = !trap.Failed();
      }
      // Marked for removal at once: the segment goes with the last of us
      // and the server to detach, however the process ends.
      if (shm_.shmid >= 0) shmctl(shm_.shmid, IPC_RMID, nullptr);
      if (!shared_) {
        // A server on another machine or of another user cannot attach:
        // every later image goes through the connection.
        c.sharedMemory = false;
        if (shm_.shmaddr != reinterpret_cast<char*>(-1)) shmdt(shm_.shmaddr);
        image_->data = nullptr;
        XDestroyImage(image_);
        image_ = nullptr;
      }
    }
  }
  if (!image_) {
    image_ = XCreateImage(display_, c.visual, c.depth, ZPixmap, 0, nullptr, width, height, 32, 0);
    if (!image_) return;
    image_->data = static_cast<char*>(std::calloc(static_cast<size_t>(image_->bytes_per_line), height));
    if (!image_->data) {
      XDestroyImage(image_);
      image_ = nullptr;
    }
  }
}

PixelImage::~PixelImage() {
  if (!image_) return;
  if (shared_) {
    XShmDetach(display_, &shm_);
    XSync(display_, False);
    shmdt(shm_.shmaddr);
    image_->data = nullptr;
  }
  XDestroyImage(image_);  // frees our own memory with it
}

void PixelImage::CopyFrom(const Surface& pixels, const Rect& r, uint32_t alphaBits) {
  Wait();
  for (int32_t y = r.top; y < r.bottom; ++y) {
    const uint32_t* from = pixels.Row(y) + r.left;
    uint32_t* to = Row(y) + r.left;
    if (alphaBits == 0) {
      std::memcpy(to, from, static_cast<size_t>(r.Width()) * 4);
    } else {
      for (int32_t x = 0; x < r.Width(); ++x) to[x] = from[x] | alphaBits;
    }
  }
}

void PixelImage::Put(Drawable to, GC gc, const Rect& r) {
  if (shared_) {
    XShmPutImage(display_, to, gc, image_, r.left, r.top, r.left, r.top, r.Width(), r.Height(), False);
    sent_ = true;
  } else {
    XPutImage(display_, to, gc, image_, r.left, r.top, r.left, r.top, r.Width(), r.Height());
  }
}

void PixelImage::Wait() {
  if (!sent_) return;
  // One round trip: every request before it, the puts included, is done.
  XSync(display_, False);
  sent_ = false;
}

bool PixelImage::Get(Drawable from, int32_t x, int32_t y) {
  Wait();
  ErrorTrap trap(display_);
  if (shared_)
    XShmGetImage(display_, from, image_, x, y, AllPlanes);
  else
    XGetSubImage(display_, from, x, y, width_, height_, AllPlanes, ZPixmap, image_, 0, 0);
  return !trap.Failed();
}

}  // namespace tl::x11
