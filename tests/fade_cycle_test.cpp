#include <gtest/gtest.h>

#include <vector>

#include "saver/fade_cycle.h"

namespace tl {
namespace {

std::vector<int> Levels(int32_t depth, int steps) {
  FadeState s;
  std::vector<int> out;
  for (int i = 0; i < steps; ++i) {
    s = MoveFade(s, depth);
    out.push_back(s.level);
  }
  return out;
}

TEST(FadeCycle, DefaultDepthRunsDownTurnsAtOneAndUpToFiveElevenAndBack) {
  const auto l = Levels(24, 35);
  EXPECT_EQ(l[0], 232);
  EXPECT_EQ(l[9], 16);
  EXPECT_EQ(l[10], 1);   // the end value itself is shown
  EXPECT_EQ(l[11], 25);  // and the turn happens in the same step
  EXPECT_EQ(l[31], 505);
  EXPECT_EQ(l[32], 511);
  EXPECT_EQ(l[33], 487);
}

TEST(FadeCycle, OddDepthsStillTurnExactlyAtTheEnds) {
  const auto l = Levels(100, 12);
  EXPECT_EQ(l, (std::vector<int>{156, 56, 1, 101, 201, 301, 401, 501, 511, 411, 311, 211}));
}

TEST(FadeCycle, DepthsOutsideTheDialogsRangeNeverOverflow) {
  EXPECT_EQ(Levels(0, 3), (std::vector<int>{256, 256, 256}));
  EXPECT_EQ(Levels(-24, 3), (std::vector<int>{256, 256, 256}));
  EXPECT_EQ(Levels(32767, 4), (std::vector<int>{1, 511, 1, 511}));
  EXPECT_EQ(Levels(INT32_MAX, 2), (std::vector<int>{1, 511}));
}

TEST(FadeCycle, LevelsMapToTheEngineOperations) {
  EXPECT_EQ(FadeOperationFor(1).opcode, 7);
  EXPECT_EQ(FadeOperationFor(1).amount, 254);
  EXPECT_EQ(FadeOperationFor(255).amount, 0);  // processed, unchanged
  EXPECT_EQ(FadeOperationFor(256).opcode, 0);
  EXPECT_EQ(FadeOperationFor(257).opcode, 6);
  EXPECT_EQ(FadeOperationFor(257).amount, 1);
  EXPECT_EQ(FadeOperationFor(511).amount, 255);
}

}  // namespace
}  // namespace tl
