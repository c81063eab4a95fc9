// Stands in for xscreensaver's desktop helper in the tests: fills the
// pixmap it is given (`helper WINDOW PIXMAP`) with one known colour. With
// FAKE_HELPER_PIDFILE set it hangs instead, once it has written its process
// id there, as a helper that never finishes.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  if (const char* file = std::getenv("FAKE_HELPER_PIDFILE")) {
    const std::string part = std::string(file) + ".part";
    if (FILE* f = std::fopen(part.c_str(), "w")) {
      std::fprintf(f, "%d\n", static_cast<int>(getpid()));
      std::fclose(f);
      std::rename(part.c_str(), file);  // whole or not at all
    }
    for (;;) pause();
  }
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 1;
  const Pixmap pixmap = std::strtoul(argv[2], nullptr, 16);
  Window root;
  int x, y;
  unsigned w, h, border, depth;
  if (!XGetGeometry(d, pixmap, &root, &x, &y, &w, &h, &border, &depth)) return 1;
  GC gc = XCreateGC(d, pixmap, 0, nullptr);
  XSetForeground(d, gc, 0x5A6B7C);
  XFillRectangle(d, pixmap, gc, 0, 0, w, h);
  XFreeGC(d, gc);
  XSync(d, False);
  XCloseDisplay(d);
  return 0;
}
