// Stands in for a screen locker in the tests: once a window named
// "Tidelight_Main" shows, it maps an override-redirect window over the
// whole screen and tries to grab the keyboard for a while, as lockers do.
// Exit status 0 when it got the keyboard and the saver then ended; else 1,
// after a click that ends the saver, so that the test never waits for ever.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <unistd.h>

#include <cstring>

namespace {

bool SaverShows(Display* d, Window root) {
  Window r, p, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(d, root, &r, &p, &children, &count)) return false;
  bool found = false;
  for (unsigned i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    XWindowAttributes a{};
    if (XFetchName(d, children[i], &name) && name) {
      found = std::strcmp(name, "Tidelight_Main") == 0 && XGetWindowAttributes(d, children[i], &a) &&
              a.map_state == IsViewable;
      XFree(name);
    }
  }
  XFree(children);
  return found;
}

}  // namespace

int main() {
  Display* d = XOpenDisplay(nullptr);
  if (!d) return 2;
  XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });  // windows come and go
  const Window root = DefaultRootWindow(d);
  // The bounds below are for liveness only.
  for (int i = 0; i < 6000 && !SaverShows(d, root); ++i) usleep(10000);
  XSetWindowAttributes a{};
  a.override_redirect = True;
  a.background_pixel = 0x102030;
  const Window lock = XCreateWindow(d, root, 0, 0, DisplayWidth(d, 0), DisplayHeight(d, 0), 0,
                                    CopyFromParent, InputOutput, CopyFromParent,
                                    CWOverrideRedirect | CWBackPixel, &a);
  XMapRaised(d, lock);
  XSync(d, False);
  bool locked = false;
  for (int i = 0; i < 2000 && !locked; ++i) {
    locked = XGrabKeyboard(d, lock, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    if (!locked) usleep(10000);
  }
  // A locker keeps its window and the keyboard: the saver, whose grab may
  // have come too late, has to see the window and end by itself.
  bool saverGone = false;
  for (int i = 0; i < 2000 && locked && !saverGone; ++i) {
    saverGone = !SaverShows(d, root);
    if (!saverGone) usleep(10000);
  }
  if (!saverGone) {  // a click ends it, so that the test never waits for ever
    XUngrabKeyboard(d, CurrentTime);
    XUnmapWindow(d, lock);
    XTestFakeButtonEvent(d, 1, True, CurrentTime);
    XTestFakeButtonEvent(d, 1, False, CurrentTime);
  }
  XCloseDisplay(d);
  return locked && saverGone ? 0 : 1;
}
