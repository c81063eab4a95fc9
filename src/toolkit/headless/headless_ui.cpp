// Screen, clock, windows and the message queue of the headless back end.
#include <algorithm>

#include "toolkit/headless/headless_platform.h"
#include "toolkit/headless/headless_window.h"
#include "toolkit/raster.h"

namespace tl {

bool HeadlessPlatform::SnapshotDesktop(Surface& into) {
  calls.push_back("SnapshotDesktop");
  into.Fill(0);
  BitBlt(into, 0, 0, std::min(into.Width(), screenWidth), std::min(into.Height(), screenHeight),
         desktop, 0, 0, Rop::SrcCopy);
  return true;
}

void HeadlessPlatform::ShowMessageBox(std::string_view text, std::string_view title,
                                      MessageIcon icon) {
  calls.push_back("MessageBox " + std::string(title) + ": " + std::string(text));
  messageBoxes.push_back({std::string(text), std::string(title), icon});
}

std::unique_ptr<Window> HeadlessPlatform::OpenWindow(const WindowSpec& spec,
                                                     WindowEvents& events) {
  calls.push_back("OpenWindow " + spec.title);
  auto w = std::make_unique<HeadlessWindow>(*this, spec, events, nextHandle_++);
  windows_.push_back(w.get());
  openWindows.insert(spec.title);
  return w;
}

void HeadlessPlatform::Forget(HeadlessWindow* w) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), w), windows_.end());
  const bool titleLeft = std::any_of(windows_.begin(), windows_.end(),
                                     [&](auto* o) { return o->spec.title == w->spec.title; });
  if (!titleLeft) openWindows.erase(w->spec.title);
}

HeadlessWindow* HeadlessPlatform::FindWindow(std::string_view title) const {
  for (auto* w : windows_)
    if (w->spec.title == title) return w;
  return nullptr;
}

bool HeadlessPlatform::HostWindowRect(NativeHandle window, Rect& rect) {
  auto it = hostWindows.find(window);
  if (it == hostWindows.end()) return false;
  rect = it->second;
  return true;
}

namespace {
// Input goes to a window only while it still exists when the message is handled.
bool Alive(const std::vector<HeadlessWindow*>& windows, const Window* w) {
  return std::find(windows.begin(), windows.end(), w) != windows.end();
}
}  // namespace

void HeadlessPlatform::Click(Window& w, int32_t x, int32_t y) {
  Window* target = &w;
  queue_.push_back([this, target, x, y] {
    if (Alive(windows_, target)) static_cast<HeadlessWindow*>(target)->events.OnMouseDown(x, y);
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

void HeadlessPlatform::DestroyHost(NativeHandle host) {
  hostWindows.erase(host);
  for (auto* w : std::vector<HeadlessWindow*>(windows_))
    if (Alive(windows_, w) && w->spec.kind == WindowKind::Child && w->spec.host == host) {
      w->timers.clear();
      w->events.OnDestroyed();
    }
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
  while (!scheduled_.empty() && scheduled_.begin()->first <= clockMs) {
    auto input = std::move(scheduled_.begin()->second);
    scheduled_.erase(scheduled_.begin());
    input();
  }
}

void HeadlessPlatform::PumpMessages() {
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
  ++framesWaited;
  // Input that is already queued is handled before the frame comes.
  PumpMessages();
  if (ended) return;
  const uint64_t next = (clockMs / frameMs + 1) * frameMs;
  clockMs = next;
  PumpMessages();
}

void HeadlessPlatform::RunMessageLoop() {
  while (!ended && !queue_.empty()) PumpMessages();
}

void HeadlessPlatform::Advance(uint64_t ms) {
  const uint64_t end = clockMs + ms;
  while (!ended) {
    QueueDueInput();
    while (!ended && !queue_.empty()) PumpMessages();
    // Whatever comes first: the next timer or the next scripted input.
    const uint64_t nextInput = scheduled_.empty() ? end : std::min(end, scheduled_.begin()->first);
    if (ended || !DeliverOneTimer(nextInput)) {
      if (nextInput >= end || ended) break;
      clockMs = std::max(clockMs, nextInput);
    }
  }
  if (!ended) clockMs = std::max(clockMs, end);
}

}  // namespace tl
