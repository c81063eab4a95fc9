#pragma once
// Frames paced by the compositor, and what to do when it stops pacing: a
// flush that returns at once (the display off, nothing to compose) must not
// turn the frame loop into a spin.
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

}  // namespace tl
