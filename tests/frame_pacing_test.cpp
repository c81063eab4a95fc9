// The frame wait when the compositor's flush returns at once, and the
// refreshes skipped to keep a 60 Hz display's pace.
#include "base/frame_pacing.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(FramePacing, PassesKeepASixtyHertzPaceOnEveryRefreshRate) {
  struct Case {
    int32_t hz;
    std::vector<int32_t> firstWaits;
  };
  const Case cases[] = {
      {60, {1, 1, 1, 1, 1}},
      {75, {1, 1, 1, 2, 1}},           // four passes in five refreshes
      {144, {2, 2, 3, 2, 3, 2, 2, 3}},  // five in twelve
      {240, {4, 4, 4}},
      {50, {1, 1, 1}},  // a slower display cannot go faster than itself
      {0, {1, 1}},      // no rate known: 60 Hz
  };
  for (const Case& c : cases) {
    PassPacer pacer(c.hz);
    for (size_t i = 0; i < c.firstWaits.size(); ++i)
      EXPECT_EQ(pacer.RefreshesToNextPass(), c.firstWaits[i]) << c.hz << " Hz, pass " << i;
  }
  // Over a long run, n passes take n / 60 s to within one refresh.
  for (int32_t hz : {60, 75, 100, 120, 144, 165, 240, 360}) {
    PassPacer pacer(hz);
    int64_t refreshes = 0;
    for (int64_t n = 1; n <= 1000; ++n) {
      refreshes += pacer.RefreshesToNextPass();
      EXPECT_LE(refreshes * 60, n * hz) << hz;
      EXPECT_GT(refreshes * 60, n * hz - 60) << hz;
    }
  }
}

}  // namespace
}  // namespace tl
