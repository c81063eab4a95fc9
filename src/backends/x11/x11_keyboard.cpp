// The keyboard of a saver running on its own: taken when its cover shows,
// tried again for a while when another program holds it (a menu, a hot-key
// program), and given up when another program's window covers ours whole,
// as a screen locker's does before it takes the keyboard.
#include "backends/x11/x11_keyboard.h"

#include "backends/x11/x11_handles.h"
#include "backends/x11/x11_window.h"

namespace tl::x11 {

namespace {
constexpr uint64_t kRetryForMs = 2000;
constexpr uint64_t kRetryEveryMs = 50;

bool Grab(Connection& c, XWindow w) {
  return XGrabKeyboard(c.display, w, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
}

// A window's place on the root, border included.
bool PlaceOf(Display* d, XWindow w, XWindowAttributes& a, Rect& r) {
  if (!XGetWindowAttributes(d, w, &a)) return false;
  r = {a.x, a.y, a.x + a.width + 2 * a.border_width, a.y + a.height + 2 * a.border_width};
  return true;
}

// Whether a shown window of another program lies above `ours` and over
// all of it.
bool Covered(Connection& c, XWindow ours, const XWindow* stack, unsigned count) {
  Display* d = c.display;
  XWindowAttributes a{};
  Rect mine;
  if (!PlaceOf(d, ours, a, mine)) return false;
  bool above = false;
  for (unsigned i = 0; i < count; ++i) {  // bottom to top
    if (stack[i] == ours) {
      above = true;
      continue;
    }
    Rect r;
    if (!above || c.Find(stack[i]) || !PlaceOf(d, stack[i], a, r)) continue;
    if (a.map_state == IsViewable && a.c_class == InputOutput && Intersect(r, mine) == mine) return true;
  }
  return false;
}
}  // namespace

void TakeKeyboard(Connection& c, XWindow w) {
  XSync(c.display, False);
  if (Grab(c, w)) return;
  // Failing for now, the focus comes to the cover; the grab is tried again.
  XSetInputFocus(c.display, w, RevertToParent, CurrentTime);
  c.grabPending = w;
  c.grabUntilMs = NowMs() + kRetryForMs;
  c.grabNextMs = NowMs() + kRetryEveryMs;
}

void KeepTakingKeyboard(Connection& c, uint64_t now) {
  if (c.grabPending == 0 || now < c.grabNextMs) return;
  if (Grab(c, c.grabPending) || now >= c.grabUntilMs) {
    c.grabPending = 0;
    return;
  }
  c.grabNextMs = now + kRetryEveryMs;
}

void WatchOtherWindows(Connection& c) {
  if (!c.hosted) XSelectInput(c.display, c.root, SubstructureNotifyMask);
}

bool OthersCoverUs(Connection& c, const XEvent& e) {
  if (c.hosted || e.xany.window != c.root) return false;
  XWindow changed = 0;
  switch (e.type) {
    case MapNotify: changed = e.xmap.window; break;
    case ConfigureNotify: changed = e.xconfigure.window; break;
    case CirculateNotify: changed = e.xcirculate.window; break;
    default: return false;
  }
  if (c.Find(changed)) return false;
  XWindow root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  ErrorTrap trap(c.display);  // windows come and go meanwhile
  if (!XQueryTree(c.display, c.root, &root, &parent, &children, &count)) return false;
  const UniqueXFree<XWindow> stack(children);
  for (const auto& [id, w] : c.windows)
    if (w->Unmanaged() && Covered(c, id, children, count)) return true;
  return false;
}

}  // namespace tl::x11
