// Windows, the clock and the message queue of the headless back end.
#include <algorithm>

#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"

namespace tl {

namespace {
std::string RectText(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

// Input goes to a window only while it still exists when the message is handled.
bool Alive(const std::vector<HeadlessWindow*>& windows, const Window* w) {
  return std::find(windows.begin(), windows.end(), w) != windows.end();
}
}  // namespace

void HeadlessPlatform::RunHook(const std::string& call) {
  if (!beforeEachCall || inHook_ || ended) return;
  inHook_ = true;
  beforeEachCall(call);
  inHook_ = false;
}

void HeadlessPlatform::Note(std::string call) {
  RunHook(call);
  if (ended) {
    ++lateCalls;
    if (onLateCall) onLateCall(call);
  }
  calls.push_back(std::move(call));
}

void HeadlessPlatform::NoteQuietly(const char* call) {
  if (beforeEachCall && !ended) RunHook(call);
  if (!ended) return;
  ++lateCalls;
  if (onLateCall) onLateCall(call);
}

void HeadlessPlatform::SetArguments(std::string_view args) {
  commandLine = "\"C:\\Program Files\\Tidelight\\Tidelight.scr\" " + std::string(args);
}

std::string HeadlessPlatform::CommandLine() {
  NoteQuietly("CommandLine");
  return commandLine;
}

bool HeadlessPlatform::FindWindowByTitle(std::string_view title) {
  Note("FindWindow " + std::string(title));
  return openWindows.count(std::string(title)) != 0;
}

int32_t HeadlessPlatform::ShowCursor(bool show) {
  Note(show ? "ShowCursor 1" : "ShowCursor 0");
  cursorCount += show ? 1 : -1;
  return cursorCount;
}

void HeadlessPlatform::EndProgram() {
  Note("EndProgram");
  ended = true;
  queue_.clear();
  scheduled_.clear();
}

uint32_t HeadlessPlatform::TickCount() {
  NoteQuietly("TickCount");
  return static_cast<uint32_t>(clockMs);
}

std::unique_ptr<Window> HeadlessPlatform::OpenWindow(const WindowSpec& spec,
                                                     WindowEvents& events) {
  Note("OpenWindow " + spec.title);
  // As on the platform, a child needs a host that exists.
  if (spec.kind == WindowKind::Child && hostWindows.count(spec.host) == 0) return nullptr;
  auto w = std::make_unique<HeadlessWindow>(*this, spec, events, nextHandle_++);
  windows_.push_back(w.get());
  openWindows.insert(spec.title);
  return w;
}

void HeadlessPlatform::Forget(HeadlessWindow* w) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), w), windows_.end());
  if (activeWindow == w) activeWindow = nullptr;
  if (focused_ == w) focused_ = nullptr;
  if (capture_ == w) capture_ = nullptr;
  const bool titleLeft = std::any_of(windows_.begin(), windows_.end(),
                                     [&](auto* o) { return o->spec.title == w->spec.title; });
  if (!titleLeft) openWindows.erase(w->spec.title);
}

HeadlessWindow* HeadlessPlatform::FindWindow(std::string_view title) const {
  for (auto* w : windows_)
    if (w->spec.title == title) return w;
  return nullptr;
}

bool HeadlessPlatform::WindowRect(NativeHandle window, Rect& rect) {
  Note("WindowRect " + std::to_string(window));
  if (const HeadlessWindow* own = Own(window)) {
    int32_t x = 0, y = 0;
    if (!ClientOrigin(*own, x, y)) return false;
    rect = {x, y, x + own->spec.rect.Width(), y + own->spec.rect.Height()};
    return true;
  }
  auto it = hostWindows.find(window);
  if (it == hostWindows.end()) return false;
  rect = it->second;
  return true;
}

void HeadlessPlatform::AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) {
  Note("AnimateCaption " + std::to_string(window) + " " + RectText(from) + " -> " + RectText(to));
}

void HeadlessPlatform::Click(Window& w, int32_t x, int32_t y) {
  Window* target = &w;
  queue_.push_back([this, target, x, y] {
    if (Alive(windows_, target))
      static_cast<HeadlessWindow*>(target)->events.OnButtonDown(MouseButton::Left, x, y);
  });
}

void HeadlessPlatform::MoveMouse(Window& w, int32_t x, int32_t y) {
  Window* target = &w;
  queue_.push_back([this, target, x, y] {
    if (Alive(windows_, target)) static_cast<HeadlessWindow*>(target)->events.OnMouseMove(x, y);
  });
}

void HeadlessPlatform::PressKey(Window& w, int32_t virtualKey) {
  Window* target = &w;
  queue_.push_back([this, target, virtualKey] {
    if (Alive(windows_, target))
      static_cast<HeadlessWindow*>(target)->events.OnKeyDown(virtualKey);
  });
}

void HeadlessPlatform::CloseWindow(Window& w) {
  Window* target = &w;
  queue_.push_back([this, target] {
    if (!Alive(windows_, target)) return;
    auto* w = static_cast<HeadlessWindow*>(target);
    w->events.OnClosing();
    if (Alive(windows_, target)) w->Destroy();
  });
}

void HeadlessPlatform::Notify(Window& w, std::function<void(WindowEvents&)> notice) {
  Window* target = &w;
  queue_.push_back([this, target, notice = std::move(notice)] {
    if (Alive(windows_, target)) notice(static_cast<HeadlessWindow*>(target)->events);
  });
}

void HeadlessPlatform::DestroyHost(NativeHandle host) {
  // The host is gone at once; its children hear of it at the next pump, as
  // windows of another process do.
  hostWindows.erase(host);
  queue_.push_back([this, host] {
    for (auto* w : std::vector<HeadlessWindow*>(windows_))
      if (Alive(windows_, w) && w->spec.kind == WindowKind::Child && w->spec.host == host)
        w->Destroy();
  });
}

HeadlessWindow* HeadlessPlatform::Own(NativeHandle h) const {
  for (auto* w : windows_)
    if (w->Handle() == h) return w;
  return nullptr;
}

bool HeadlessPlatform::ClientOrigin(const HeadlessWindow& w, int32_t& x, int32_t& y) const {
  x = w.spec.rect.left;
  y = w.spec.rect.top;
  if (!w.IsChild()) return true;
  int32_t hx = 0, hy = 0;
  if (const HeadlessWindow* host = Own(w.spec.host)) {
    if (host == &w || !ClientOrigin(*host, hx, hy)) return false;
  } else {
    const auto foreign = hostWindows.find(w.spec.host);
    if (foreign == hostWindows.end()) return false;
    hx = foreign->second.left;
    hy = foreign->second.top;
  }
  x += hx;
  y += hy;
  return true;
}

bool HeadlessPlatform::Showing(const HeadlessWindow& w) const {
  if (!w.shown || w.destroyed) return false;
  if (!w.IsChild()) return true;
  const HeadlessWindow* host = Own(w.spec.host);
  return host ? host != &w && Showing(*host) : hostWindows.count(w.spec.host) != 0;
}

NativeHandle HeadlessPlatform::WindowAt(int32_t x, int32_t y) {
  NoteQuietly("WindowAt");
  auto contains = [&](const HeadlessWindow& w) {
    int32_t ox = 0, oy = 0;
    return Showing(w) && ClientOrigin(w, ox, oy) && x >= ox && y >= oy &&
           x < ox + w.spec.rect.Width() && y < oy + w.spec.rect.Height();
  };
  // Topmost windows first, then the others; the later opened above the earlier.
  const HeadlessWindow* hit = nullptr;
  for (bool topmostPass : {true, false})
    for (auto it = windows_.rbegin(); it != windows_.rend() && !hit; ++it) {
      const HeadlessWindow& w = **it;
      if (w.spec.kind == WindowKind::Control) continue;
      if (w.spec.kind == WindowKind::Popup || w.spec.kind == WindowKind::Dialog)
        if (w.topmost != topmostPass) continue;
      if (w.spec.kind == WindowKind::Child && !topmostPass) continue;
      if (contains(w)) hit = &w;
    }
  if (!hit) {
    for (const auto& [handle, r] : hostWindows)
      if (x >= r.left && y >= r.top && x < r.right && y < r.bottom) return handle;
    return 0;
  }
  // The innermost control under the point.
  for (bool deeper = true; deeper;) {
    deeper = false;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
      if ((*it)->spec.kind == WindowKind::Control && (*it)->spec.host == hit->Handle() &&
          contains(**it)) {
        hit = *it;
        deeper = true;
        break;
      }
  }
  return hit->Handle();
}

void HeadlessPlatform::Focus(HeadlessWindow* w) {
  if (w == focused_) return;
  HeadlessWindow* old = focused_;
  focused_ = w;
  if (old && Alive(windows_, old)) old->events.OnFocus(false);
  if (w && focused_ == w && Alive(windows_, w)) w->events.OnFocus(true);
}

HeadlessWindow* HeadlessPlatform::PointerTarget() {
  if (capture_) return capture_;
  return Own(WindowAt(cursorX, cursorY));
}

void HeadlessPlatform::Deliver(
    HeadlessWindow* w, const std::function<void(HeadlessWindow&, int32_t, int32_t)>& f) {
  int32_t ox = 0, oy = 0;
  if (w && Alive(windows_, w) && ClientOrigin(*w, ox, oy)) f(*w, cursorX - ox, cursorY - oy);
}

void HeadlessPlatform::PointAt(const Window& w, int32_t x, int32_t y) {
  int32_t ox = 0, oy = 0;
  ClientOrigin(static_cast<const HeadlessWindow&>(w), ox, oy);
  PointAtScreen(ox + x, oy + y);
}

void HeadlessPlatform::PointAtScreen(int32_t x, int32_t y) {
  queue_.push_back([this, x, y] {
    cursorX = x;
    cursorY = y;
    Deliver(PointerTarget(), [](HeadlessWindow& w, int32_t cx, int32_t cy) {
      w.events.OnMouseMove(cx, cy);
    });
  });
}

void HeadlessPlatform::Press(MouseButton button) {
  queue_.push_back([this, button] {
    HeadlessWindow* target = PointerTarget();
    buttonsDown_ |= 1u << static_cast<int>(button);
    if (!target) return;
    const bool control = target->spec.kind == WindowKind::Control;
    if (control) capture_ = target;
    Deliver(target, [button](HeadlessWindow& w, int32_t cx, int32_t cy) {
      w.events.OnButtonDown(button, cx, cy);
    });
    if (control && button == MouseButton::Left && Alive(windows_, target) && !ended)
      Focus(target);
  });
}

void HeadlessPlatform::Release(MouseButton button) {
  queue_.push_back([this, button] {
    HeadlessWindow* target = PointerTarget();
    buttonsDown_ &= ~(1u << static_cast<int>(button));
    if (buttonsDown_ == 0) capture_ = nullptr;
    Deliver(target, [button](HeadlessWindow& w, int32_t cx, int32_t cy) {
      w.events.OnButtonUp(button, cx, cy);
    });
  });
}

void HeadlessPlatform::FocusByKeyboard(Window& w) {
  Window* target = &w;
  queue_.push_back([this, target] {
    if (Alive(windows_, target)) Focus(static_cast<HeadlessWindow*>(target));
  });
}

// Delivers the earliest timer due by `upTo`, moving the clock to it. Like
// the platform's timer messages, a tick only comes when no other message waits.
bool HeadlessPlatform::DeliverOneTimer(uint64_t upTo) {
  HeadlessWindow* best = nullptr;
  int32_t bestId = 0;
  uint64_t bestDue = upTo + 1;
  for (auto* w : windows_)
    for (auto& [id, t] : w->timers)
      if (t.due < bestDue) {
        best = w;
        bestId = id;
        bestDue = t.due;
      }
  if (best == nullptr) return false;
  clockMs = std::max(clockMs, bestDue);
  auto& t = best->timers[bestId];
  t.due = clockMs + t.intervalMs;
  best->events.OnTimer(bestId);
  return true;
}

void HeadlessPlatform::At(uint64_t ms, std::function<void()> input) {
  scheduled_.emplace(ms, std::move(input));
}

void HeadlessPlatform::QueueDueInput() {
  while (!ended && !scheduled_.empty() && scheduled_.begin()->first <= clockMs) {
    auto input = std::move(scheduled_.begin()->second);
    scheduled_.erase(scheduled_.begin());
    input();
  }
}

void HeadlessPlatform::PumpMessages() {
  NoteQuietly("PumpMessages");
  Pump();
}

void HeadlessPlatform::Pump() {
  if (ended) return;
  QueueDueInput();
  // Handles what is pending now; messages that handlers post wait for the next pump.
  for (size_t n = queue_.size(); n > 0 && !ended && !queue_.empty(); --n) {
    auto m = std::move(queue_.front());
    queue_.pop_front();
    m();
  }
  if (!ended) DeliverOneTimer(clockMs);
}

void HeadlessPlatform::WaitForFrame() {
  NoteQuietly("WaitForFrame");
  ++framesWaited;
  // Input that is already queued is handled before the frame comes.
  Pump();
  if (ended) return;
  if (refreshHz > 0) {
    if (pacer_.RefreshHz() != refreshHz) pacer_ = PassPacer(refreshHz);
    const uint64_t hz = static_cast<uint64_t>(refreshHz);
    const uint64_t refresh = clockMs * hz / 1000 + pacer_.RefreshesToNextPass();
    clockMs = (refresh * 1000 + hz - 1) / hz;
  } else {
    clockMs = (clockMs / frameMs + 1) * frameMs;
  }
  Pump();
}

void HeadlessPlatform::Advance(uint64_t ms) {
  const uint64_t end = clockMs + ms;
  while (!ended) {
    QueueDueInput();
    while (!ended && !queue_.empty()) Pump();
    // Whatever comes first: the next timer or the next scripted input.
    const uint64_t nextInput = scheduled_.empty() ? end : std::min(end, scheduled_.begin()->first);
    if (ended || !DeliverOneTimer(nextInput)) {
      if (nextInput >= end || ended) break;
      clockMs = std::max(clockMs, nextInput);
    }
  }
  if (!ended) clockMs = std::max(clockMs, end);
}

void HeadlessPlatform::RunUntil(const std::function<bool()>& done) {
  const uint64_t limit = clockMs + loopLimitMs;
  while (!ended && !done()) {
    QueueDueInput();
    if (!queue_.empty()) {
      Pump();
      continue;
    }
    // Jump the clock to whatever comes next: a timer or scripted input.
    uint64_t next = UINT64_MAX;
    for (auto* w : windows_)
      for (auto& [id, t] : w->timers) next = std::min(next, t.due);
    if (!scheduled_.empty()) next = std::min(next, scheduled_.begin()->first);
    // Nothing queued, scheduled or ticking: the real loop would wait for ever.
    if (next == UINT64_MAX) return;
    if (next > limit) {
      clockMs = std::max(clockMs, limit);
      return;
    }
    clockMs = std::max(clockMs, next);
    QueueDueInput();
    if (queue_.empty() && !ended) DeliverOneTimer(clockMs);
  }
}

void HeadlessPlatform::RunModal(Window& window) {
  Note("RunModal");
  auto* w = static_cast<HeadlessWindow*>(&window);
  RunUntil([w] { return w->destroyed; });
}

void HeadlessPlatform::RunMessageLoop() {
  Note("RunMessageLoop");
  RunUntil([] { return false; });
}

}  // namespace tl
