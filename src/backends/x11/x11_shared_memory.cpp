// Whether shared memory can be used on a connection: only over a local
// socket, and only once the server is seen to read our segments' bytes.
// The seam's headers (through x11_image.h) come before X's own.
#include "backends/x11/x11_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/socket.h>

#include <random>

#include "backends/x11/x11_handles.h"

namespace tl::x11 {

namespace {

// Over a network, or from another machine's or container's point of view,
// a segment's number names another segment, or none: only a connection
// through a local socket may share memory at all.
bool LocalConnection(Display* d) {
  sockaddr_storage address{};
  socklen_t size = sizeof address;
  return getsockname(ConnectionNumber(d), reinterpret_cast<sockaddr*>(&address), &size) == 0 &&
         address.ss_family == AF_UNIX;
}

// Whether the server sees our segments' bytes: a marker in a segment of
// ours, attached read-only, put into a pixmap and read back through the
// connection. A process in another IPC namespace than the server's (a
// container) names some other segment, or none, by the same number.
bool Proven(Display* d, int screen) {
  constexpr int kWidth = 16;
  const int depth = DefaultDepth(d, screen);
  XShmSegmentInfo shm{};
  XImage* image = XShmCreateImage(d, DefaultVisual(d, screen), static_cast<unsigned>(depth),
                                  ZPixmap, nullptr, &shm, kWidth, 1);
  if (!image) return false;
  bool proven = false;
  shm.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line), IPC_CREAT | 0600);
  shm.shmaddr = shm.shmid < 0 ? reinterpret_cast<char*>(-1) : static_cast<char*>(shmat(shm.shmid, nullptr, 0));
  if (shm.shmid >= 0) shmctl(shm.shmid, IPC_RMID, nullptr);  // goes with the last to detach
  if (shm.shmaddr != reinterpret_cast<char*>(-1)) {
    image->data = shm.shmaddr;
    shm.readOnly = True;  // whatever segment the server found, it only reads it
    const unsigned long planes = depth >= 32 ? ~0ul : (1ul << depth) - 1;
    std::random_device random;
    unsigned long marker[kWidth];
    for (int x = 0; x < kWidth; ++x) {
      marker[x] = random() & planes;
      XPutPixel(image, x, 0, marker[x]);
    }
    ErrorTrap trap(d);
    XShmAttach(d, &shm);
    if (!trap.Failed()) {
      const UniquePixmap pixmap(XCreatePixmap(d, RootWindow(d, screen), kWidth, 1, static_cast<unsigned>(depth)),
                                FreePixmap{d});
      const UniqueGc gc(XCreateGC(d, pixmap.get(), 0, nullptr), FreeGc{d});
      XShmPutImage(d, pixmap.get(), gc.get(), image, 0, 0, 0, 0, kWidth, 1, False);
      if (XImage* back = XGetImage(d, pixmap.get(), 0, 0, kWidth, 1, AllPlanes, ZPixmap)) {
        proven = true;
        for (int x = 0; x < kWidth; ++x) proven = proven && (XGetPixel(back, x, 0) & planes) == marker[x];
        XDestroyImage(back);
      }
      XShmDetach(d, &shm);
      proven = !trap.Failed() && proven;
    }
    shmdt(shm.shmaddr);
  }
  image->data = nullptr;
  XDestroyImage(image);
  return proven;
}

}  // namespace

bool SharedMemoryWorks(Display* d, int screen) { return LocalConnection(d) && Proven(d, screen); }

}  // namespace tl::x11
