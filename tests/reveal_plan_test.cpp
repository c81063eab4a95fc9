// What a pass of the growing circle shows, drawn as its two largest circles
// and replayed from a plan, against the rule of drawing every circle.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <vector>

#include "saver/reveal_compositor.h"
#include "saver/reveal_plan.h"
#include "saver/reveal_shapes.h"

namespace tl {
namespace {

// The union of a pass's circles, row by row, unclipped in columns.
struct Rows : ShapeSink {
  Rows(int32_t w, int32_t h) : w(w), spans(static_cast<size_t>(h)) {}
  void Line(Point, Point) override { ADD_FAILURE() << "no lines in a circle reveal"; }
  bool Ellipse(Rect box) override {
    UnionEllipseSpans(box, 0, static_cast<int32_t>(spans.size()), spans.data());
    // Once the pass covers the picture, its larger circles are not drawn.
    return std::all_of(spans.begin(), spans.end(),
                       [&](const Span& s) { return s.left <= 0 && s.right >= w; });
  }
  int32_t w;
  std::vector<Span> spans;
};

bool Holds(const std::vector<Span>& outer, const std::vector<Span>& inner) {
  for (size_t y = 0; y < inner.size(); ++y)
    if (!inner[y].Empty() &&
        (outer[y].Empty() || outer[y].left > inner[y].left || outer[y].right < inner[y].right))
      return false;
  return true;
}

bool Same(const std::vector<Span>& a, const std::vector<Span>& b) {
  return Holds(a, b) && Holds(b, a);
}

TEST(RevealShapes, ACircleHoldsTheOneTwoRadiiSmaller) {
  // With a count of 1, pass p draws the one circle of radius p - 1: every
  // radius to beyond the corners of the largest screens, odd sizes (whose
  // boxes alternate by a pixel with the radius) and even ones. Consecutive
  // radii do not always nest, which is why a pass draws its two largest.
  for (auto [w, h] : {std::pair{3840, 2160}, {3839, 2159}, {1366, 767}, {101, 51}}) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    RevealShapes growth(kGrowingCircle, w, h, 1);
    std::vector<std::vector<Span>> discs;
    while (growth.Progress() < growth.Limit() + 4) {
      Rows pass(w, h);
      growth.Pass(pass);
      discs.push_back(std::move(pass.spans));
      if (discs.size() >= 3) {
        ASSERT_TRUE(Holds(discs[2], discs[0])) << "radius " << growth.Progress() - 3;
        discs.erase(discs.begin());
      }
    }
  }
}

TEST(RevealShapes, OuterPassShowsWhatEveryCircleShows) {
  struct Case {
    int32_t w, h, count;
  };
  const Case cases[] = {{1920, 1080, 10}, {1919, 1079, 3}, {101, 51, 2}, {101, 51, 4},
                        {17, 11, 5},      {3, 2, 3},       {1, 1, 7},   {64, 48, 50},
                        {20, 10, 2'000'000'000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " count " << c.count);
    RevealShapes every(kGrowingCircle, c.w, c.h, c.count), outer(kGrowingCircle, c.w, c.h, c.count);
    while (!every.Finished()) {
      ASSERT_FALSE(outer.Finished());
      Rows all(c.w, c.h), shown(c.w, c.h);
      every.Pass(all);
      outer.OuterPass(shown);
      // Columns beyond the picture do not show.
      for (auto* rows : {&all, &shown})
        for (Span& s : rows->spans) s = {std::max(s.left, 0), std::min(s.right, c.w)};
      ASSERT_TRUE(Same(all.spans, shown.spans)) << "pass " << every.Progress();
      EXPECT_EQ(every.Progress(), outer.Progress());
    }
    EXPECT_TRUE(outer.Finished());
  }
}

Surface Noise(int32_t w, int32_t h, uint32_t seed) {
  Surface s(w, h);
  uint32_t x = seed * 2654435761u + 1;
  for (uint32_t& p : std::span(s.Data(), s.ByteSize() / 4)) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    p = x & 0x00FFFFFF;
  }
  return s;
}

TEST(RevealPlan, ReplaysWhatTheCompositorCopiesAndPresents) {
  struct Case {
    int32_t w, h, count;
  };
  const Case cases[] = {{16, 12, 1}, {17, 11, 3},  {101, 51, 10}, {640, 360, 10},
                        {1, 1, 1},   {3, 2, 7},    {64, 7, 2'000'000'000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " count " << c.count);
    const Surface source = Noise(c.w, c.h, 1);
    Surface ours = Noise(c.w, c.h, 2), theirs = ours;
    const auto plan = RevealPlan::Make(c.w, c.h, c.count, size_t{1} << 24);
    ASSERT_NE(plan, nullptr);
    // The compositor draws every circle, as the rule is written.
    RevealShapes growth(kGrowingCircle, c.w, c.h, c.count);
    RevealCompositor compositor(theirs, source, c.w, c.h);
    int32_t pass = 0;
    while (!growth.Finished()) {
      ASSERT_LT(pass, plan->Passes());
      compositor.BeginPass();
      growth.Pass(compositor);
      const Rect box = compositor.EndPass();
      const auto pieces = plan->Replay(pass, ours, source);
      ASSERT_EQ(ours, theirs) << "after pass " << pass;
      EXPECT_EQ(std::vector<Rect>(pieces.begin(), pieces.end()), compositor.Pieces()) << pass;
      EXPECT_EQ(plan->Box(pass), box) << pass;
      ++pass;
    }
    EXPECT_EQ(pass, plan->Passes());
    compositor.Complete();
    const auto pieces = plan->Replay(pass, ours, source);
    EXPECT_EQ(std::vector<Rect>(pieces.begin(), pieces.end()), compositor.Pieces());
    EXPECT_EQ(ours, source);
  }
}

TEST(RevealPlan, WithoutAllowanceAPieceHoldsAtMostTwiceWhatItCopies) {
  // And the replay presents exactly what the compositor under that rule would.
  constexpr int32_t kW = 320, kH = 181;
  const Surface source = Noise(kW, kH, 1);
  Surface ours = Noise(kW, kH, 2), theirs = ours;
  const auto plan = RevealPlan::Make(kW, kH, 10, size_t{1} << 24, 0);
  ASSERT_NE(plan, nullptr);
  RevealShapes growth(kGrowingCircle, kW, kH, 10);
  RevealCompositor compositor(theirs, source, kW, kH, 0);
  for (int32_t pass = 0; pass <= plan->Passes(); ++pass) {
    const Surface before = ours;
    if (pass < plan->Passes()) {
      compositor.BeginPass();
      growth.Pass(compositor);
      compositor.EndPass();
    } else {
      compositor.Complete();
    }
    const auto pieces = plan->Replay(pass, ours, source);
    ASSERT_EQ(ours, theirs) << pass;
    ASSERT_EQ(std::vector<Rect>(pieces.begin(), pieces.end()), compositor.Pieces()) << pass;
    for (const Rect& r : pieces) {
      int64_t changed = 0;  // noise: what changed is what was copied
      for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x) changed += before.At(x, y) != ours.At(x, y);
      EXPECT_LE(int64_t{r.Width()} * r.Height(), 2 * changed) << pass;
    }
  }
  EXPECT_EQ(ours, source);
  // Kept apart from the plan with the usual allowance.
  EXPECT_NE(RevealPlan::For(64, 48, 10, 0), RevealPlan::For(64, 48, 10));
  EXPECT_EQ(RevealPlan::For(64, 48, 10, -5), RevealPlan::For(64, 48, 10, 0));
}

TEST(RevealPlan, KeptPerSizeAndCountAndLeftOutWhenTooLarge) {
  const auto a = RevealPlan::For(64, 48, 10);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(RevealPlan::For(64, 48, 10), a);
  EXPECT_NE(RevealPlan::For(64, 48, 11), a);
  EXPECT_NE(RevealPlan::For(48, 64, 10), a);
  // Counts of 0 or below grow as 1 does, and share its plan.
  EXPECT_EQ(RevealPlan::For(64, 48, 0), RevealPlan::For(64, 48, 1));
  // Too many runs, or no picture: no plan, the passes are worked out live.
  EXPECT_EQ(RevealPlan::Make(64, 48, 1, 100), nullptr);
  EXPECT_EQ(RevealPlan::Make(0, 48, 1, 1000), nullptr);
  EXPECT_EQ(RevealPlan::Make(70000, 1, 1, 1000), nullptr);
}

}  // namespace
}  // namespace tl
