// Windows, the clock and the message loop of the x11 back end: events and
// timers handled as they come, the process idling in poll on the
// connection between them.
#include "backends/x11/x11_connection.h"

#include <X11/extensions/Xrandr.h>
#include <poll.h>

#include <cstdio>

#include "backends/host/linux_session.h"
#include "backends/x11/x11_handles.h"
#include "backends/x11/x11_keyboard.h"
#include "backends/x11/x11_window.h"
#include "gfx/pixel_memory_shared.h"

namespace tl {

using x11::X11Window;
using x11::XWindow;

namespace {
// The platform whose music a lost connection stops.
X11Platform* g_platform = nullptr;
}  // namespace

X11Platform::X11Platform(const X11Options& options)
    : media(options.audioSink), c_(std::make_unique<x11::Connection>()), options_(options) {
  g_platform = this;
  x11::OnConnectionLost([] {
    if (g_platform) g_platform->media.StopAll();
  });
  x11::Open(*c_, options);
  if (c_->display) x11::WatchOtherWindows(*c_);
  // Big pictures where the server can read them as they lie, so that
  // presenting copies nothing (x11::SurfaceImage).
  if (c_->sharedMemory && c_->pixelsMatch && c_->alphaBits == 0) SharePixelMemory(true);
  // Our own screen follows the monitors; a host follows them for us, and
  // we follow the host's size.
  if (c_->display && !c_->hosted) randrEvent_ = x11::SelectMonitorChanges(c_->display, c_->root);
  if (c_->display && c_->hosted) XSelectInput(c_->display, c_->parent, StructureNotifyMask);
  // Alone on the screen, the display's power is watched (the server tells
  // of no change: it is asked every second), so no fade step runs while the
  // display is off. A host's owner decides that for a hosted screen.
  // Taken as on until asked, so a display already off is told at once.
  if (c_->display && !c_->hosted && x11::DisplayPower(c_->display) >= 0) displayPower_ = 1;
}

X11Platform::~X11Platform() {
  if (g_platform == this) g_platform = nullptr;
  SharePixelMemory(false);
  x11::Close(*c_);
}

bool X11Platform::Connected() const { return c_->display != nullptr; }

bool X11Platform::Hosted() const { return c_->hosted; }

bool X11Platform::SharedMemory() const { return c_->sharedMemory; }

std::string X11Platform::UnservedVisual() const {
  if (c_->served) return "";
  const char* names[] = {"StaticGray", "GrayScale", "StaticColor", "PseudoColor", "TrueColor", "DirectColor"};
  const int kind = c_->visual->c_class;
  char text[160];
  std::snprintf(text, sizeof text, "a %s visual of depth %d (masks 0x%lx 0x%lx 0x%lx)",
                kind >= 0 && kind < 6 ? names[kind] : "unknown", c_->depth, c_->visual->red_mask,
                c_->visual->green_mask, c_->visual->blue_mask);
  return text;
}

std::string X11Platform::CommandLine() { return host::CommandLine(); }

bool X11Platform::FindWindowByTitle(std::string_view title) {
  XWindow root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(c_->display, c_->root, &root, &parent, &children, &count)) return false;
  const x11::UniqueXFree<XWindow> owned(children);
  x11::ErrorTrap trap(c_->display);  // a window may go while we ask
  for (unsigned int i = 0; i < count; ++i) {
    char* name = nullptr;
    if (!XFetchName(c_->display, children[i], &name) || !name) continue;
    const x11::UniqueXFree<char> ownedName(name);
    if (title == name) return true;
  }
  return false;
}

int32_t X11Platform::ShowCursor(bool show) {
  c_->cursorCount += show ? 1 : -1;
  for (auto& [id, w] : c_->windows) w->ApplyPointer();
  return c_->cursorCount;
}

std::unique_ptr<Window> X11Platform::OpenWindow(const WindowSpec& spec, WindowEvents& events) {
  auto w = std::make_unique<X11Window>(*c_, spec, events);
  if (!w->ok()) return nullptr;
  return w;
}

bool X11Platform::WindowRect(NativeHandle window, Rect& rect) {
  x11::ErrorTrap trap(c_->display);
  XWindowAttributes a{};
  int x = 0, y = 0;
  XWindow child = 0;
  if (!XGetWindowAttributes(c_->display, static_cast<XWindow>(window), &a) ||
      !XTranslateCoordinates(c_->display, static_cast<XWindow>(window), c_->parent, 0, 0, &x, &y,
                             &child) ||
      trap.Failed())
    return false;
  x -= c_->originX;
  y -= c_->originY;
  rect = {x, y, x + a.width, y + a.height};
  return true;
}

NativeHandle X11Platform::WindowAt(int32_t x, int32_t y) {
  x11::ErrorTrap trap(c_->display);
  XWindow from = c_->parent, child = 0;
  int px = x + c_->originX, py = y + c_->originY;
  // Down the children under the point to the innermost one.
  while (XTranslateCoordinates(c_->display, from, from, px, py, &px, &py, &child) && child) {
    int cx = 0, cy = 0;
    XWindow unused = 0;
    if (!XTranslateCoordinates(c_->display, from, child, px, py, &cx, &cy, &unused)) break;
    from = child;
    px = cx;
    py = cy;
  }
  if (trap.Failed() || from == c_->parent) return 0;
  return static_cast<NativeHandle>(from);
}

// X draws no caption animation.
void X11Platform::AnimateCaption(NativeHandle, const Rect&, const Rect&) {}

// The Linux program shows no dialog: there are no platform controls.
std::unique_ptr<ScrollBar> X11Platform::OpenScrollBar(const ScrollBarSpec&, ScrollBarEvents&) {
  return nullptr;
}
std::unique_ptr<DropDown> X11Platform::OpenDropDown(const DropDownSpec&) { return nullptr; }

void X11Platform::SetScreenPointer(MousePointer pointer) {
  c_->screenPointer = pointer;
  for (auto& [id, w] : c_->windows) w->ApplyPointer();
}

uint32_t X11Platform::TickCount() { return static_cast<uint32_t>(x11::NowMs()); }

void X11Platform::EndProgram() { ended_ = true; }

bool X11Platform::HandlePending(bool read) {
  Display* d = c_->display;
  bool any = false, monitorsChanged = false;
  // Events that came meanwhile are read by the next round, told by poll.
  if (read) XPending(d);
  while (!ended_ && XEventsQueued(d, QueuedAlready) > 0) {
    XEvent e;
    XNextEvent(d, &e);
    any = true;
    if (randrEvent_ >= 0 &&
        (e.type == randrEvent_ + RRScreenChangeNotify || e.type == randrEvent_ + RRNotify)) {
      XRRUpdateConfiguration(&e);
      x11::ReadPrimary(*c_);
      monitorsChanged = true;
      continue;
    }
    if (c_->hosted && e.type == ConfigureNotify && e.xconfigure.window == c_->parent) {
      if (e.xconfigure.width == c_->width && e.xconfigure.height == c_->height) continue;
      c_->width = e.xconfigure.width;
      c_->height = e.xconfigure.height;
      monitorsChanged = true;
      continue;
    }
    if (X11Window* w = c_->Find(e.xany.window)) w->Handle(e);
    if (!ended_ && x11::OthersCoverUs(*c_, e)) Deactivate();
  }
  // One notice for a burst of them (a change brings several); the windows
  // a sink makes or closes meanwhile are not told.
  if (monitorsChanged && !ended_) {
    c_->refreshHz = x11::RefreshRate(d, c_->root);
    TellWindows([](X11Window& w) { w.OnMonitorsChanged(); });
  }
  if (displayPower_ >= 0 && x11::NowMs() >= nextPowerCheckMs_ && !ended_) {
    nextPowerCheckMs_ = x11::NowMs() + kPowerCheckMs;
    const int power = x11::DisplayPower(d);
    if (power >= 0 && power != displayPower_) {
      displayPower_ = power;
      TellWindows([&](X11Window& w) { w.OnDisplayPower(power == 1); });
      any = true;
    }
  }
  // Timers after the queue, as Windows makes its timer messages only when
  // nothing else waits; each due timer once.
  const uint64_t now = x11::NowMs();
  x11::KeepTakingKeyboard(*c_, now);
  X11Window* w = nullptr;
  int32_t id = 0;
  while (!ended_ && c_->timers.TakeDue(now, w, id)) {
    w->OnTimer(id);
    any = true;
  }
  return any;
}

void X11Platform::Deactivate() {
  // Every window of ours is told, as Windows tells each top-level window;
  // any of them may end the program or let windows go.
  std::vector<XWindow> ours;
  for (const auto& [id, w] : c_->windows)
    if (w->Unmanaged()) ours.push_back(id);
  for (XWindow id : ours)
    if (X11Window* w = c_->Find(id); w && !ended_) w->OnDeactivated();
}

void X11Platform::TellWindows(const std::function<void(x11::X11Window&)>& tell) {
  std::vector<XWindow> ids;
  for (auto& [id, w] : c_->windows) ids.push_back(id);
  for (XWindow id : ids)
    if (X11Window* w = c_->Find(id); w && !ended_) tell(*w);
}

void X11Platform::RunUntil(const std::function<bool()>& done, uint64_t deadlineMs) {
  Display* d = c_->display;
  // The connection is read when poll says it holds something, and after
  // anything was handled: a handler's round trip may leave events in Xlib
  // with nothing more on the socket. Xlib's flush before each poll reads
  // what came as well, so a frame's wait reads once.
  bool read = false;
  while (!ended_ && !done()) {
    const bool any = HandlePending(read);
    read = any;
    if (ended_ || done()) return;
    const uint64_t now = x11::NowMs();
    if (deadlineMs != 0 && now >= deadlineMs) return;
    if (any) continue;
    uint64_t wake = c_->timers.NextDue();
    if (c_->grabPending != 0 && (wake == 0 || c_->grabNextMs < wake)) wake = c_->grabNextMs;
    if (deadlineMs != 0 && (wake == 0 || deadlineMs < wake)) wake = deadlineMs;
    if (displayPower_ >= 0 && (wake == 0 || nextPowerCheckMs_ < wake)) wake = nextPowerCheckMs_;
    const int timeout = wake == 0 ? -1 : wake > now ? static_cast<int>(wake - now) : 0;
    XFlush(d);
    if (XEventsQueued(d, QueuedAlready) > 0) continue;
    pollfd p{ConnectionNumber(d), POLLIN, 0};
    // Input, a hang-up or an error alike: Xlib's read tells which.
    read = poll(&p, 1, timeout) != 0;
  }
}

void X11Platform::PumpMessages() { HandlePending(); }

void X11Platform::WaitForFrame() {
  // In microseconds, as a 144 Hz refresh is no whole number of milliseconds;
  // a faster display than 60 Hz waits more than one refresh a pass.
  if (pacer_.RefreshHz() != c_->refreshHz) pacer_ = PassPacer(c_->refreshHz);
  const uint64_t wait = uint64_t(pacer_.RefreshesToNextPass()) * 1000000 / uint64_t(c_->refreshHz);
  const uint64_t now = x11::NowMs() * 1000;
  if (nextFrameUs_ <= now || nextFrameUs_ - now > 2 * wait) nextFrameUs_ = now + wait;
  RunUntil([] { return false; }, (nextFrameUs_ + 999) / 1000);
  nextFrameUs_ += wait;
}

void X11Platform::RunModal(Window& window) {
  RunUntil([&] { return window.Handle() == 0; }, 0);
}

void X11Platform::RunMessageLoop() {
  RunUntil([] { return false; }, 0);
}

}  // namespace tl
