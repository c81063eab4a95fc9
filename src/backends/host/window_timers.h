#pragma once
// Window timers as Windows delivers them, for the Linux back ends that
// run their own event loop (x11, Wayland): a due timer fires once, then is
// due again an interval after it fired (10 ms at least); overdue ticks
// never pile up.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

namespace tl::host {

// Milliseconds of a steady clock.
inline uint64_t NowMs() {
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   std::chrono::steady_clock::now().time_since_epoch())
                                   .count());
}

template <class Window>
class WindowTimers {
 public:
  void Start(Window* w, int32_t id, uint32_t intervalMs, uint64_t now) {
    Stop(w, id);
    // Windows makes no timer shorter than 10 ms (USER_TIMER_MINIMUM); the
    // program's 1 ms fade tick counts on it not to wake it a thousand
    // times a second.
    intervalMs = std::max<uint32_t>(intervalMs, 10);
    timers_.push_back({w, id, intervalMs, now + intervalMs});
  }
  void Stop(Window* w, int32_t id) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == w && t.id == id; });
  }
  void Forget(Window* w) {
    std::erase_if(timers_, [&](const Timer& t) { return t.window == w; });
  }
  // The earliest timer due at `now`, made due again an interval later;
  // false when none is due.
  bool TakeDue(uint64_t now, Window*& w, int32_t& id) {
    auto due = std::min_element(timers_.begin(), timers_.end(),
                                [](const Timer& a, const Timer& b) { return a.due < b.due; });
    if (due == timers_.end() || due->due > now) return false;
    due->due = now + due->interval;
    w = due->window;
    id = due->id;
    return true;
  }
  // When the next one is due; 0 when none runs.
  uint64_t NextDue() const {
    uint64_t next = 0;
    for (const Timer& t : timers_)
      if (next == 0 || t.due < next) next = t.due;
    return next;
  }

 private:
  struct Timer {
    Window* window;
    int32_t id;
    uint32_t interval;
    uint64_t due;
  };
  std::vector<Timer> timers_;
};

}  // namespace tl::host
