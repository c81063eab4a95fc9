// Windows, the clock and the message loop of the Wayland back end: events
// and timers handled as they come, the process idling in poll on the
// connection between them; frames paced by the compositor's callbacks.
#include "backends/wayland/wayland_connection.h"

#include <poll.h>

#include <algorithm>

#include "backends/host/linux_session.h"
#include "backends/wayland/wayland_window.h"
#include "gfx/pixel_memory_shared.h"

namespace tl {

using wl::WaylandWindow;

namespace {
// The frame pace of the other platforms, whatever the output's refresh.
constexpr uint64_t kFramePeriodMs = 1000 / 60;
}  // namespace

WaylandPlatform::WaylandPlatform(const WaylandOptions& options)
    : media(options.audioSink), c_(std::make_unique<wl::Connection>()), options_(options) {
  wl::Open(*c_, options);
  // Shown pixels in memory files the compositor reads where they lie.
  if (Connected() && options.inPlace) SharePixelMemoryInFiles(true);
}

WaylandPlatform::~WaylandPlatform() {
  SharePixelMemoryInFiles(false);
  wl::Close(*c_);
}

bool WaylandPlatform::Connected() const { return c_->display != nullptr; }

std::string WaylandPlatform::MissingProtocol() const {
  if (!c_->compositor) return "wl_compositor (version 4)";
  if (!c_->shm) return "wl_shm";
  if (!c_->layerShell) return "zwlr_layer_shell_v1 (wlr-layer-shell)";
  if (!c_->screencopy) return "zwlr_screencopy_manager_v1 (wlr-screencopy)";
  if (!c_->xdgOutputs) return "zxdg_output_manager_v1 (xdg-output)";
  return "";
}

std::string WaylandPlatform::CommandLine() { return host::CommandLine(); }

// Wayland lets no client see another's surfaces: only our own are found
// here, and the entry point's lock stands for another copy's window.
bool WaylandPlatform::FindWindowByTitle(std::string_view title) {
  for (WaylandWindow* w : c_->windows)
    if (w->Caption() == title) return true;
  return false;
}

int32_t WaylandPlatform::ShowCursor(bool show) {
  c_->cursorCount += show ? 1 : -1;
  if (c_->pointer && c_->pointerWindow && c_->CursorHidden())
    wl_pointer_set_cursor(c_->pointer, c_->pointerSerial, nullptr, 0, 0);
  return c_->cursorCount;
}

std::unique_ptr<Window> WaylandPlatform::OpenWindow(const WindowSpec& spec, WindowEvents& events) {
  auto w = std::make_unique<WaylandWindow>(*c_, spec, events);
  if (!w->ok()) return nullptr;
  return w;
}

bool WaylandPlatform::WindowRect(NativeHandle window, Rect& rect) {
  for (WaylandWindow* w : c_->windows)
    if (w->Handle() == window) {
      rect = w->rect();
      return true;
    }
  return false;
}

NativeHandle WaylandPlatform::WindowAt(int32_t x, int32_t y) {
  for (WaylandWindow* w : c_->windows)
    if (const Rect& r = w->rect(); x >= r.left && x < r.right && y >= r.top && y < r.bottom)
      return w->Handle();
  return 0;
}

void WaylandPlatform::AnimateCaption(NativeHandle, const Rect&, const Rect&) {}

std::unique_ptr<ScrollBar> WaylandPlatform::OpenScrollBar(const ScrollBarSpec&, ScrollBarEvents&) {
  return nullptr;
}
std::unique_ptr<DropDown> WaylandPlatform::OpenDropDown(const DropDownSpec&) { return nullptr; }

void WaylandPlatform::SetScreenPointer(MousePointer pointer) { c_->screenPointer = pointer; }

uint32_t WaylandPlatform::TickCount() { return static_cast<uint32_t>(wl::NowMs()); }

void WaylandPlatform::EndProgram() { ended_ = true; }

bool WaylandPlatform::HandlePending() {
  wl_display* d = c_->display;
  bool any = false;
  if (!ended_) any = wl_display_dispatch_pending(d) > 0;
  // The keyboard went to another program (a locker): the program is no
  // longer the one the user works in. Moving between our own surfaces, it
  // comes back before the compositor answers a round trip.
  if (!ended_ && c_->keyboardLeft && !c_->keyboardWindow) c_->Roundtrip();
  if (!ended_ && c_->keyboardLeft && !c_->keyboardWindow) {
    c_->keyboardLeft = false;
    const std::vector<WaylandWindow*> windows = c_->windows;
    for (WaylandWindow* w : windows) {
      if (ended_) break;
      // A sink may have let another window go.
      if (std::find(c_->windows.begin(), c_->windows.end(), w) != c_->windows.end())
        w->OnKeyboardTaken();
    }
    any = true;
  }
  if (!ended_ && c_->outputsChanged) {
    FollowOutputs();
    any = true;
  }
  const uint64_t now = wl::NowMs();
  WaylandWindow* w = nullptr;
  int32_t id = 0;
  while (!ended_ && c_->timers.TakeDue(now, w, id)) {
    w->OnTimer(id);
    any = true;
  }
  return any;
}

void WaylandPlatform::FollowOutputs() {
  // One notice for a burst of changes: whatever else the compositor had
  // to say of them comes before the answer to a round trip.
  c_->Roundtrip();
  if (ended_) return;
  c_->outputsChanged = false;
  c_->FollowOutputs();
  // The windows a sink makes or closes meanwhile are not told.
  const std::vector<WaylandWindow*> windows = c_->windows;
  for (WaylandWindow* w : windows) {
    if (ended_) return;
    if (std::find(c_->windows.begin(), c_->windows.end(), w) == c_->windows.end()) continue;
    if (w->TakenAway())
      w->OnTakenAway();
    else
      w->OnMonitorsChanged();
  }
}

void WaylandPlatform::RunUntil(const std::function<bool()>& done, uint64_t deadlineMs) {
  wl_display* d = c_->display;
  while (!ended_ && !done()) {
    const bool any = HandlePending();
    if (ended_ || done()) return;
    const uint64_t now = wl::NowMs();
    if (deadlineMs != 0 && now >= deadlineMs) return;
    if (any) continue;
    uint64_t wake = c_->timers.NextDue();
    if (deadlineMs != 0 && (wake == 0 || deadlineMs < wake)) wake = deadlineMs;
    const int timeout = wake == 0 ? -1 : wake > now ? static_cast<int>(wake - now) : 0;
    // libwayland's protocol for reading: announce, flush, poll, read or cancel.
    while (wl_display_prepare_read(d) != 0) wl_display_dispatch_pending(d);
    wl_display_flush(d);
    pollfd p{wl_display_get_fd(d), POLLIN, 0};
    if (poll(&p, 1, timeout) > 0 && (p.revents & POLLIN)) {
      if (wl_display_read_events(d) < 0) ended_ = true;
    } else {
      wl_display_cancel_read(d);
    }
    if (p.revents & (POLLHUP | POLLERR)) ended_ = true;  // the compositor went
  }
}

void WaylandPlatform::PumpMessages() { HandlePending(); }

void WaylandPlatform::WaitForFrame() {
  // No faster than the other platforms' pace, and then the compositor's
  // next frame on some output we show: an output that is off sends none,
  // so the others pace the frames, and with every output off nothing is
  // drawn until one comes back.
  const uint64_t now = wl::NowMs();
  if (nextFrameMs_ <= now || nextFrameMs_ - now > 2 * kFramePeriodMs) nextFrameMs_ = now + kFramePeriodMs;
  RunUntil([] { return false; }, nextFrameMs_);
  std::vector<NativeHandle> waiting;
  for (WaylandWindow* w : c_->windows)
    if (w->FramePending()) waiting.push_back(w->Handle());
  RunUntil([&] {
    if (waiting.empty()) return true;
    for (NativeHandle h : waiting) {
      bool pending = false;  // its frame came, or it went
      for (WaylandWindow* w : c_->windows)
        if (w->Handle() == h) pending = w->FramePending();
      if (!pending) return true;
    }
    return false;
  }, 0);
  nextFrameMs_ += kFramePeriodMs;
}

void WaylandPlatform::RunModal(Window& window) {
  RunUntil([&] { return window.Handle() == 0; }, 0);
}

void WaylandPlatform::RunMessageLoop() {
  RunUntil([] { return false; }, 0);
}

}  // namespace tl
