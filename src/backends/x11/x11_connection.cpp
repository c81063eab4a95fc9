#include "backends/x11/x11_connection.h"

#include <X11/extensions/XShm.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <chrono>

#include "backends/x11/x11_handles.h"

namespace tl::x11 {

namespace {

int g_lastError = 0;

int RecordError(Display*, XErrorEvent* e) {
  if (g_lastError == 0) g_lastError = e->error_code;
  return 0;
}

// Our pixel, 0x00RRGGBB in little-endian memory, is the visual's own pixel
// in 32-bit units.
bool PixelsMatch(Display* d, Visual* v, int depth) {
  if (v->c_class != TrueColor || v->red_mask != 0xFF0000 || v->green_mask != 0xFF00 ||
      v->blue_mask != 0xFF || (depth != 24 && depth != 32) || ImageByteOrder(d) != LSBFirst)
    return false;
  int count = 0;
  const UniqueXFree<XPixmapFormatValues> formats(XListPixmapFormats(d, &count));
  for (int i = 0; i < count; ++i)
    if (formats.get()[i].depth == depth) return formats.get()[i].bits_per_pixel == 32;
  return false;
}

}  // namespace

uint64_t NowMs() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

void Timers::Start(X11Window* w, int32_t id, uint32_t intervalMs, uint64_t now) {
  Stop(w, id);
  // Windows makes no timer shorter than 10 ms (USER_TIMER_MINIMUM); the
  // program's 1 ms fade tick counts on it not to wake it a thousand times
  // a second.
  intervalMs = std::max<uint32_t>(intervalMs, 10);
  timers_.push_back({w, id, intervalMs, now + intervalMs});
}

void Timers::Stop(X11Window* w, int32_t id) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == w && t.id == id; });
}

void Timers::Forget(X11Window* w) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == w; });
}

bool Timers::TakeDue(uint64_t now, X11Window*& w, int32_t& id) {
  auto due = std::min_element(timers_.begin(), timers_.end(),
                              [](const Timer& a, const Timer& b) { return a.due < b.due; });
  if (due == timers_.end() || due->due > now) return false;
  due->due = now + due->interval;
  w = due->window;
  id = due->id;
  return true;
}

uint64_t Timers::NextDue() const {
  uint64_t next = 0;
  for (const Timer& t : timers_)
    if (next == 0 || t.due < next) next = t.due;
  return next;
}

ErrorTrap::ErrorTrap(Display* d) : display_(d) {
  XSync(d, False);
  g_lastError = 0;
}

ErrorTrap::~ErrorTrap() { g_lastError = 0; }

bool ErrorTrap::Failed() {
  XSync(display_, False);
  return g_lastError != 0;
}

X11Window* Connection::Find(XWindow w) const {
  const auto it = windows.find(w);
  return it == windows.end() ? nullptr : it->second;
}

void Open(Connection& c, const X11Options& o) {
  c.display = XOpenDisplay(o.display.empty() ? nullptr : o.display.c_str());
  if (!c.display) return;
  XSetErrorHandler(RecordError);
  Display* d = c.display;
  c.screen = DefaultScreen(d);
  c.root = RootWindow(d, c.screen);
  c.parent = c.root;
  c.visual = DefaultVisual(d, c.screen);
  c.depth = DefaultDepth(d, c.screen);
  c.colormap = DefaultColormap(d, c.screen);
  c.width = DisplayWidth(d, c.screen);
  c.height = DisplayHeight(d, c.screen);
  XWindowAttributes host{};
  const XWindow hostId = o.host != 0 ? static_cast<XWindow>(o.host) : o.root ? c.root : 0;
  ErrorTrap trap(d);
  if (hostId != 0 && XGetWindowAttributes(d, hostId, &host) && !trap.Failed()) {
    c.hosted = true;
    c.parent = hostId;
    c.visual = host.visual;
    c.depth = host.depth;
    c.colormap = host.colormap;
    c.width = host.width;
    c.height = host.height;
  } else {
    ReadPrimary(c);
  }
  c.pixelsMatch = PixelsMatch(d, c.visual, c.depth);
  c.alphaBits = c.depth == 32 ? 0xFF000000u : 0;
  c.sharedMemory = o.sharedMemory && XShmQueryExtension(d);
  c.refreshHz = RefreshRate(d, c.root);
}

void Close(Connection& c) {
  if (!c.display) return;
  if (c.blankCursor) XFreeCursor(c.display, c.blankCursor);
  XCloseDisplay(c.display);
  c.display = nullptr;
}

}  // namespace tl::x11
