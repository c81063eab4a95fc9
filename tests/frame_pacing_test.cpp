// The frame wait when the compositor's flush returns at once.
#include "base/frame_pacing.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

TEST(FramePacing, AFlushThatWaitedForNothingIsMadeUpToAPeriodOnTheTimer) {
  struct Case {
    int64_t sinceLast, period, wait;
  };
  const Case cases[] = {
      {0, 16, 16},  {5, 16, 11},  {7, 16, 9},  // returned at once: the rest of the period
      {8, 16, 0},   {16, 16, 0},  {40, 16, 0},  // waited for a frame (or the work took long)
      {-3, 16, 16},                             // a counter that went back
      {0, 0, 0},                                // no period known
  };
  for (const Case& c : cases)
    EXPECT_EQ(WaitAfterFlush(c.sinceLast, c.period), c.wait) << c.sinceLast << " " << c.period;
}

}  // namespace
}  // namespace tl
