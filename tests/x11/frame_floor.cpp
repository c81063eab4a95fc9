// The least a program that shows 60 frames a second costs on an X server:
// a timer wakes it 60 times a second and each frame puts one pixel through
// shared memory. tests/e2e/x11_measure.py measures it beside the saver, as
// the floor under any figure at that pace. Runs until it is ended.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>

int main() {
  Display* d = XOpenDisplay(nullptr);
  if (!d || !XShmQueryExtension(d)) return 1;
  const int screen = DefaultScreen(d);
  const Window root = RootWindow(d, screen);
  XShmSegmentInfo shm{};
  XImage* image = XShmCreateImage(d, DefaultVisual(d, screen),
                                  static_cast<unsigned>(DefaultDepth(d, screen)), ZPixmap,
                                  nullptr, &shm, 1, 1);
  if (!image) return 1;
  shm.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line), IPC_CREAT | 0600);
  if (shm.shmid < 0) return 1;
  shm.shmaddr = image->data = static_cast<char*>(shmat(shm.shmid, nullptr, 0));
  if (shm.shmaddr == reinterpret_cast<char*>(-1)) return 1;
  XShmAttach(d, &shm);
  XSync(d, False);
  shmctl(shm.shmid, IPC_RMID, nullptr);  // gone once both ends let go
  GC gc = XCreateGC(d, root, 0, nullptr);
  const int timer = timerfd_create(CLOCK_MONOTONIC, 0);
  const itimerspec every{{0, 16'666'667}, {0, 16'666'667}};
  if (timer < 0 || timerfd_settime(timer, 0, &every, nullptr) != 0) return 1;
  for (uint32_t frame = 0;; ++frame) {
    uint64_t expired;
    if (read(timer, &expired, sizeof expired) != sizeof expired) return 1;
    *reinterpret_cast<uint32_t*>(image->data) = frame;
    XShmPutImage(d, root, gc, image, 0, 0, 0, 0, 1, 1, False);
    XFlush(d);
    while (XPending(d)) {
      XEvent e;
      XNextEvent(d, &e);
    }
  }
}
