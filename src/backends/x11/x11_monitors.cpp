// The monitors of the x11 back end: RandR's monitors, and the desktop
// copied from any point of the virtual screen: from the root window, or
// for a hosted screen from the picture a desktop helper draws.
#include "backends/x11/x11_connection.h"

#include <X11/extensions/Xrandr.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <iterator>
#include <cstdio>
#include <thread>

#include "backends/x11/x11_handles.h"
#include "backends/x11/x11_image.h"

extern char** environ;

namespace tl {

namespace x11 {

std::vector<RootMonitor> RandrMonitors(Display* d, XWindow root) {
  std::vector<RootMonitor> list;
  int event = 0, error = 0, major = 0, minor = 0;
  // Monitors came with RandR 1.5.
  if (!XRRQueryExtension(d, &event, &error) || !XRRQueryVersion(d, &major, &minor) ||
      major * 100 + minor < 105)
    return list;
  int count = 0;
  XRRMonitorInfo* info = XRRGetMonitors(d, root, True, &count);
  if (!info) return list;
  bool primary = false;
  for (int i = 0; i < count; ++i) {
    list.push_back({{info[i].x, info[i].y, info[i].x + info[i].width, info[i].y + info[i].height},
                    info[i].primary != 0, static_cast<uint64_t>(info[i].name)});
    primary = primary || info[i].primary != 0;
  }
  XRRFreeMonitors(info);
  if (!primary && !list.empty()) list.front().primary = true;
  return list;
}

void ReadPrimary(Connection& c) {
  for (const RootMonitor& m : RandrMonitors(c.display, c.root)) {
    if (!m.primary || m.rect.Empty()) continue;
    c.originX = m.rect.left;
    c.originY = m.rect.top;
    c.width = m.rect.Width();
    c.height = m.rect.Height();
  }
}

int SelectMonitorChanges(Display* d, XWindow root) {
  int event = 0, error = 0;
  if (!XRRQueryExtension(d, &event, &error)) return -1;
  XRRSelectInput(d, root,
                 RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  return event;
}

int32_t RefreshRate(Display* d, XWindow root) {
  int event = 0, error = 0;
  if (!XRRQueryExtension(d, &event, &error)) return 60;
  XRRScreenResources* res = XRRGetScreenResourcesCurrent(d, root);
  if (!res) return 60;
  const RROutput primary = XRRGetOutputPrimary(d, root);
  int32_t hz = 0;
  // The primary output's CRTC first, then any lit CRTC.
  auto rateOf = [&](RRCrtc crtc) -> int32_t {
    XRRCrtcInfo* info = XRRGetCrtcInfo(d, res, crtc);
    if (!info) return 0;
    int32_t rate = 0;
    for (int m = 0; info->mode != 0 && m < res->nmode; ++m) {
      const XRRModeInfo& mode = res->modes[m];
      if (mode.id != info->mode || mode.hTotal == 0 || mode.vTotal == 0) continue;
      double lines = mode.vTotal;
      if (mode.modeFlags & RR_DoubleScan) lines *= 2;
      if (mode.modeFlags & RR_Interlace) lines /= 2;
      rate = static_cast<int32_t>(double(mode.dotClock) / (mode.hTotal * lines) + 0.5);
    }
    XRRFreeCrtcInfo(info);
    return rate;
  };
  if (primary != 0)
    if (XRROutputInfo* out = XRRGetOutputInfo(d, res, primary)) {
      if (out->crtc != 0) hz = rateOf(out->crtc);
      XRRFreeOutputInfo(out);
    }
  for (int i = 0; hz == 0 && i < res->ncrtc; ++i) hz = rateOf(res->crtcs[i]);
  XRRFreeScreenResources(res);
  return hz >= 24 && hz <= 500 ? hz : 60;
}

namespace {

std::string Hex(unsigned long id) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", id);
  return text;
}

// The desktop helper's process group while it runs (0: none). The helper
// may start programs of its own: ending its group ends them all.
volatile sig_atomic_t g_helperGroup = 0;

// A signal that ends the program ends the helper first, then the program
// as the signal would have.
void EndHelperThenSelf(int signal) {
  if (g_helperGroup > 0) kill(-g_helperGroup, SIGKILL);
  struct sigaction a{};
  a.sa_handler = SIG_DFL;
  sigaction(signal, &a, nullptr);
  raise(signal);
}

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handlers above while a helper runs; the ones before them after.
// The signals wait from before the helper starts until its group is
// known, so none can end the program and leave the helper behind.
class HelperSignals {
 public:
  HelperSignals() {
    sigset_t block;
    sigemptyset(&block);
    for (int s : kEndingSignals) sigaddset(&block, s);
    pthread_sigmask(SIG_BLOCK, &block, &mask_);
  }
  // The helper's group from now on; the signals come through again.
  void Running(pid_t group) {
    g_helperGroup = group;
    struct sigaction a{};
    a.sa_handler = EndHelperThenSelf;
    for (size_t i = 0; i < std::size(kEndingSignals); ++i) sigaction(kEndingSignals[i], &a, &old_[i]);
    handled_ = true;
    pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
  }
  ~HelperSignals() {
    if (handled_)
      for (size_t i = 0; i < std::size(kEndingSignals); ++i) sigaction(kEndingSignals[i], &old_[i], nullptr);
    pthread_sigmask(SIG_SETMASK, &mask_, nullptr);
    g_helperGroup = 0;
  }
  HelperSignals(const HelperSignals&) = delete;
  HelperSignals& operator=(const HelperSignals&) = delete;

  // The mask the program had, which the helper starts with.
  const sigset_t& mask() const { return mask_; }

 private:
  sigset_t mask_{};
  struct sigaction old_[std::size(kEndingSignals)]{};
  bool handled_ = false;
};

// Runs `program WINDOW PIXMAP` in a process group of its own and waits for
// it; true when it drew and ended well. One that hangs is ended with all
// it started: the saver must start.
bool RunDesktopHelper(const std::string& program, XWindow window, Pixmap pixmap) {
  const std::string w = Hex(window), p = Hex(pixmap);
  char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(w.c_str()),
                  const_cast<char*>(p.c_str()), nullptr};
  HelperSignals signals;
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawnattr_setsigmask(&attr, &signals.mask());
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, program.c_str(), nullptr, &attr, argv, environ);
  posix_spawnattr_destroy(&attr);
  if (spawned != 0) return false;
  signals.Running(pid);
  using namespace std::chrono;
  const auto end = steady_clock::now() + seconds(20);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (steady_clock::now() > end) {
      kill(-pid, SIGKILL);
      waitpid(pid, &status, 0);
      return false;
    }
    std::this_thread::sleep_for(milliseconds(10));
  }
  // What the helper started and left behind goes with it.
  kill(-pid, SIGKILL);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Copies `part` of the drawable into `into` at (toX, toY), converted to
// our pixels.
bool CopyFrom(Connection& c, Drawable from, const Rect& part, Surface& into, int32_t toX,
              int32_t toY) {
  PixelImage image(c, part.Width(), part.Height());
  if (!image.ok() || !image.Get(from, part.left, part.top)) return false;
  for (int32_t y = 0; y < part.Height(); ++y) image.ReadRow(y, into.Row(toY + y) + toX, part.Width());
  return true;
}

}  // namespace

}  // namespace x11

std::vector<Monitor> X11Platform::Monitors() {
  std::vector<Monitor> list;
  if (c_->hosted) return list;  // the host window is the whole screen
  for (const x11::RootMonitor& m : x11::RandrMonitors(c_->display, c_->root)) {
    Monitor out;
    out.rect = {m.rect.left - c_->originX, m.rect.top - c_->originY, m.rect.right - c_->originX,
                m.rect.bottom - c_->originY};
    out.primary = m.primary;
    out.id = m.id;
    list.push_back(out);
  }
  return list;
}

bool X11Platform::SnapshotDesktopAt(Surface& into, int32_t x, int32_t y) {
  into.Fill(0);
  if (into.Width() == 0 || into.Height() == 0) return true;
  x11::Connection& c = *c_;
  if (c.hosted && !options_.desktopHelper.empty()) {
    const x11::UniquePixmap pixmap(
        XCreatePixmap(c.display, c.parent, static_cast<unsigned>(c.width),
                      static_cast<unsigned>(c.height), static_cast<unsigned>(c.depth)),
        x11::FreePixmap{c.display});
    {
      // Black where the helper draws nothing (a picture of another shape).
      const x11::UniqueGc gc(XCreateGC(c.display, pixmap.get(), 0, nullptr), x11::FreeGc{c.display});
      XSetForeground(c.display, gc.get(), c.pixels.Pixel(0));
      XFillRectangle(c.display, pixmap.get(), gc.get(), 0, 0, static_cast<unsigned>(c.width),
                     static_cast<unsigned>(c.height));
    }
    XSync(c.display, False);
    const Rect part = Intersect({x, y, x + into.Width(), y + into.Height()}, {0, 0, c.width, c.height});
    if (!part.Empty() && x11::RunDesktopHelper(options_.desktopHelper, c.parent, pixmap.get()) &&
        x11::CopyFrom(c, pixmap.get(), part, into, part.left - x, part.top - y))
      return true;
  }
  // The root window's contents where the point lies on it; the parts off
  // the root stay black.
  int rootX = x + c.originX, rootY = y + c.originY;
  if (c.hosted) {
    x11::XWindow child = 0;
    if (!XTranslateCoordinates(c.display, c.parent, c.root, x, y, &rootX, &rootY, &child))
      return false;
  }
  const Rect want{rootX, rootY, rootX + into.Width(), rootY + into.Height()};
  const Rect part = Intersect(want, {0, 0, DisplayWidth(c.display, c.screen),
                                     DisplayHeight(c.display, c.screen)});
  if (part.Empty()) return true;
  return x11::CopyFrom(c, c.root, part, into, part.left - want.left, part.top - want.top);
}

}  // namespace tl
