#include "backends/x11/x11_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

#include "gfx/pixel_memory_shared.h"

namespace tl::x11 {

namespace {
// Whether the server has done the request of `serial` (0: none): told by
// the last event, reply or error read, so it costs no round trip.
bool Done(Display* d, unsigned long serial) {
  return serial == 0 || LastKnownRequestProcessed(d) >= serial;
}
}  // namespace

unsigned long PutShared(Display* d, Drawable to, GC gc, XImage* image, const Rect& r, bool last) {
  const unsigned long serial = NextRequest(d);
  XShmPutImage(d, to, gc, image, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.Width()),
               static_cast<unsigned>(r.Height()), last ? True : False);
  return serial;
}

PixelImage::PixelImage(Connection& c, int32_t width, int32_t height)
    : display_(c.display), convert_(c.pixels), width_(width), height_(height) {
  if (!c.served || width <= 0 || height <= 0) return;
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

void PixelImage::CopyFrom(const Surface& pixels, const Rect& r) {
  Wait();
  const int32_t bytes = image_->bits_per_pixel / 8;
  for (int32_t y = r.top; y < r.bottom; ++y)
    convert_.ToVisual(pixels.Row(y) + r.left, Row(y) + static_cast<size_t>(r.left) * bytes, r.Width());
}

void PixelImage::ReadRow(int32_t y, uint32_t* to, int32_t count) const {
  convert_.FromVisual(Row(y), to, count);
}

void PixelImage::Put(Drawable to, GC gc, const Rect& r, bool last) {
  if (shared_) {
    sent_ = PutShared(display_, to, gc, image_, r, last);
  } else {
    XPutImage(display_, to, gc, image_, r.left, r.top, r.left, r.top, r.Width(), r.Height());
  }
}

void PixelImage::Wait() {
  // Usually the completion came while the program waited for its frame;
  // else one round trip: every request before it, the puts included, is done.
  if (!Done(display_, sent_)) XSync(display_, False);
  sent_ = 0;
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

namespace tl::x11 {

SurfaceImage::SurfaceImage(Connection& c, const Surface& pixels) : display_(c.display) {
  const int segment = PixelMemorySegment(pixels.Data());
  if (segment < 0 || !c.sharedMemory || !c.pixelsMatch) return;
  // The server only reads it.
  char* data = reinterpret_cast<char*>(const_cast<uint32_t*>(pixels.Data()));
  image_ = XShmCreateImage(display_, c.visual, c.depth, ZPixmap, data, &shm_, pixels.Width(),
                           pixels.Height());
  if (!image_) return;
  if (image_->bits_per_pixel != 32 || image_->bytes_per_line != pixels.Width() * 4) {
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
    return;
  }
  shm_.shmid = segment;
  shm_.shmaddr = data;
  shm_.readOnly = True;
  ErrorTrap trap(display_);
  XShmAttach(display_, &shm_);
  if (trap.Failed()) {
    // As for our own images: every later image goes through the connection.
    c.sharedMemory = false;
    SharePixelMemory(false);
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
  }
}

SurfaceImage::~SurfaceImage() {
  if (!image_) return;
  // Puts sent before are read before the server lets the segment go, and
  // the segment outlives our own use of it until then.
  XShmDetach(display_, &shm_);
  XFlush(display_);
  image_->data = nullptr;
  XDestroyImage(image_);
}

bool SurfaceImage::Of(const Surface& pixels) const {
  return image_ && image_->data == reinterpret_cast<const char*>(pixels.Data()) &&
         image_->width == pixels.Width() && image_->height == pixels.Height() &&
         PixelMemorySegment(pixels.Data()) == shm_.shmid;
}

}  // namespace tl::x11
