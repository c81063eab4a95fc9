#pragma once
// Frames paced by the display, at a 60 Hz display's pace whatever its rate,
// and what to do when the compositor stops pacing: a flush that returns at
// once (the display off, nothing to compose) must not turn the frame loop
// into a spin.
#include <cstdint>

namespace tl {

// The time still to wait once the compositor's flush has returned,
// `sinceLast` after the previous frame ended, for frames `period` apart (in
// any one unit). A flush that waited for a composed frame returns a period
// or more after the previous one; one returning within half a period waited
// for nothing, and the rest of the period is waited on the timer instead.
constexpr int64_t WaitAfterFlush(int64_t sinceLast, int64_t period) {
  if (sinceLast < 0) sinceLast = 0;  // a counter that went back waited for nothing
  if (period <= 0 || 2 * sinceLast >= period) return 0;
  return period - sinceLast;
}

// The reveal's pace is one pass per refresh of a 60 Hz display; faster
// displays skip refreshes, so a fade takes the same time (and processor) on
// every display. Each pass is still shown right after a refresh: the
// refreshes waited between passes vary (two, then three at 144 Hz), so that
// after n passes the time is n / 60 s to within one refresh. A display
// slower than 60 Hz waits one refresh a pass.
class PassPacer {
 public:
  static constexpr int32_t kPassesPerSecond = 60;

  explicit constexpr PassPacer(int32_t refreshHz = kPassesPerSecond)
      : hz_(refreshHz > 0 ? refreshHz : kPassesPerSecond) {}

  // The refreshes to wait before the next pass: one or more.
  constexpr int32_t RefreshesToNextPass() {
    owed_ += hz_;
    int32_t n = owed_ / kPassesPerSecond;
    if (n < 1) n = 1;
    owed_ -= n * kPassesPerSecond;
    if (owed_ < 0) owed_ = 0;  // a slow display owes nothing
    return n;
  }
  constexpr int32_t RefreshHz() const { return hz_; }

 private:
  int32_t hz_;
  int32_t owed_ = 0;  // refreshes earned (in 1/60ths) not yet waited
};

}  // namespace tl
