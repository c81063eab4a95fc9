// The reveal transition: its growth and ending, its equality with the plain
// mask method pass by pass, its pacing by frames and its nesting rules.
#include <gtest/gtest.h>

#include <memory>

#include "reveal_reference.h"
#include "saver/reveal_compositor.h"
#include "saver/reveal_transition.h"
#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"
#include "base/random.h"

namespace tl {
namespace {

// Pixels as the platform's bitmaps hold them: colour only, reserved byte 0.
Surface Noise(int32_t w, int32_t h, uint32_t seed) {
  Surface s(w, h);
  uint32_t x = seed * 2654435761u + 1;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t i = 0; i < w; ++i) {
      x ^= x << 13;
      x ^= x >> 17;
      x ^= x << 5;
      s.At(i, y) = x & 0x00FFFFFF;
    }
  return s;
}

// Where two surfaces differ, as a bounding box.
Rect Changed(const Surface& a, const Surface& b) {
  Rect r;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y)) r = Union(r, {x, y, x + 1, y + 1});
  return r;
}

TEST(RevealCompositor, EqualsTheMaskMethodAfterEveryPass) {
  struct Case {
    int16_t mode;
    int32_t w, h, count;
  };
  const Case cases[] = {
      {2, 16, 12, 1}, {2, 17, 11, 1}, {2, 31, 20, 3}, {2, 40, 41, 10}, {2, 3, 2, 1},
      {2, 1, 1, 1},   {2, 64, 7, 4},  {1, 16, 12, 1}, {1, 17, 11, 2},  {1, 9, 20, 7},
      {3, 16, 12, 1}, {3, 17, 11, 3}, {3, 1, 9, 2},   {3, 30, 5, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " " << c.w << "x" << c.h
                                    << " count " << c.count);
    const Surface source = Noise(c.w, c.h, 7);
    Surface ours = Noise(c.w, c.h, 8), theirs = ours;
    RevealShapes growth(c.mode, c.w, c.h, c.count), growthRef(c.mode, c.w, c.h, c.count);
    RevealCompositor compositor(ours, source, c.w, c.h);
    MaskReveal mask(c.w, c.h);
    int passes = 0;
    while (!growth.Finished()) {
      const Surface before = ours;
      compositor.BeginPass();
      growth.Pass(compositor);
      const Rect dirty = compositor.EndPass();
      growthRef.Pass(mask);
      mask.Compose(theirs, source);
      ASSERT_EQ(ours, theirs) << "after pass " << passes;
      // What the pass changed lies within what it reports.
      const Rect changed = Changed(before, ours);
      EXPECT_EQ(Union(dirty, changed), dirty.Empty() ? changed : dirty) << "pass " << passes;
      ++passes;
      ASSERT_LT(passes, 10000);
    }
    EXPECT_TRUE(growthRef.Finished());
  }
}

TEST(RevealCompositor, PiecesHoldEveryChangedPixelAndLittleElse) {
  constexpr int32_t kW = 640, kH = 360;
  const Surface source = Noise(kW, kH, 5);
  Surface target = Noise(kW, kH, 6);
  RevealShapes growth(2, kW, kH, 10);
  RevealCompositor compositor(target, source, kW, kH);
  int64_t piecesArea = 0, boxArea = 0;
  auto check = [&](const Surface& before, const char* what) {
    Surface marks(kW, kH, 0);
    int64_t area = 0;
    for (const Rect& r : compositor.Pieces()) {
      ASSERT_FALSE(r.Empty()) << what;
      area += int64_t{r.Width()} * r.Height();
      for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x) marks.At(x, y) = 1;
    }
    int64_t changed = 0;
    for (int32_t y = 0; y < kH; ++y)
      for (int32_t x = 0; x < kW; ++x)
        if (before.At(x, y) != target.At(x, y)) {
          ++changed;
          ASSERT_EQ(marks.At(x, y), 1u) << what << " misses " << x << "," << y;
        }
    // Twice what changed, and the small pieces' allowance.
    EXPECT_LE(area, 2 * changed + 4096 * int64_t(compositor.Pieces().size())) << what;
    piecesArea += area;
  };
  while (!growth.Finished()) {
    const Surface before = target;
    compositor.BeginPass();
    growth.Pass(compositor);
    const Rect box = compositor.EndPass();
    boxArea += int64_t{box.Width()} * box.Height();
    check(before, "pass");
    EXPECT_LE(compositor.Pieces().size(), 40u);
  }
  const Surface before = target;
  compositor.Complete();
  check(before, "completion");
  EXPECT_EQ(target, source);
  // A growing ring's bounding box is most of the picture; its pieces are not.
  EXPECT_LT(piecesArea * 4, boxArea);
}

TEST(RevealCompositor, LargeCirclesStopOnceThePictureIsCovered) {
  // A count far beyond the picture finishes in one pass, without drawing the
  // circles that could add nothing, and without the counters overflowing.
  const Surface source = Noise(20, 10, 1);
  Surface target(20, 10);
  RevealShapes growth(2, 20, 10, 2'000'000'000);
  RevealCompositor compositor(target, source, 20, 10);
  compositor.BeginPass();
  growth.Pass(compositor);
  compositor.EndPass();
  EXPECT_TRUE(growth.Finished());
  EXPECT_EQ(target, source);
}

// A headless screen with a window whose picture box is the target, as the
// saver's: the target shows on screen, the source keeps a persistent image.
struct Stage : WindowEvents {
  HeadlessPlatform p;
  BaseModule base;
  std::unique_ptr<Window> window;
  PictureBox target{p, false}, source{p, true};
  std::function<void(int32_t)> onTimer;
  std::function<void()> onKey;

  Stage(int32_t w, int32_t h) {
    WindowSpec spec;
    spec.title = "stage";
    spec.rect = {0, 0, w, h};
    window = p.OpenWindow(spec, *this);
    target.SetHost(window.get());
    target.Resize(w, h);
    source.Resize(w, h);
    target.Pixels() = Noise(w, h, 3);
    source.Pixels() = Noise(w, h, 4);
    target.Refresh();
    target.scaleMode = source.scaleMode = ScaleMode::Twips;
  }
  HeadlessWindow& Screen() { return *p.FindWindow("stage"); }
  void OnTimer(int32_t id) override {
    if (onTimer) onTimer(id);
  }
  void OnKeyDown(int32_t) override {
    if (onKey) onKey();
  }
  uint64_t Reveal(int16_t mode, int32_t count) {
    const uint64_t frames = p.framesWaited;
    RevealTransition(p, base, target, source, mode, count);
    return p.framesWaited - frames;
  }
};

// The saver assigns the source again after a reveal, and compares nothing
// when told the target already holds its every pixel.
TEST(RevealTransition, SaysWhetherTheTargetEndsHoldingTheSourcesPixels) {
  struct Case {
    int16_t mode;
    bool sourceHasPicture;
    bool holds;
  } const cases[] = {
      {1, false, true}, {2, false, true}, {3, true, true},  // the completion copies all
      {0, true, true},                                      // assigned whole
      {0, false, false},                                    // nothing assigned
  };
  for (const Case& c : cases) {
    Stage s(41, 30);
    if (c.sourceHasPicture) s.source.SetPicture(Noise(41, 30, 4));
    EXPECT_EQ(RevealTransition(s.p, s.base, s.target, s.source, c.mode, 3), c.holds) << c.mode;
    EXPECT_EQ(s.target.Pixels() == s.source.Pixels(), c.holds) << c.mode;
    EXPECT_EQ(s.target.HasPicture(), c.sourceHasPicture) << c.mode;
  }
}

TEST(RevealTransition, MakesOnePassPerFrameAndEndsAtTheLimit) {
  Stage big(1024, 768);
  EXPECT_EQ(big.Reveal(2, 10), 64u);  // half diagonal 640
  EXPECT_FALSE(big.base.TransitionRunning);
  // The last circle, of radius 638, misses the corners; they are completed.
  EXPECT_EQ(big.target.Pixels(), big.source.Pixels());
  // The screen shows what the target holds: every change was presented.
  EXPECT_EQ(big.Screen().screen, big.target.Pixels());
  EXPECT_EQ(big.Reveal(2, 50), 13u);

  // Odd sizes: the twips are divided back into pixels, remainder dropped.
  Stage odd(101, 51);
  EXPECT_EQ(odd.Reveal(2, 1), 57u);  // round(sqrt(50.5² + 25.5²)) = 57
}

TEST(RevealTransition, PresentsOnlyWhatEachPassRevealed) {
  Stage s(200, 100);
  const size_t before = s.Screen().presented.size();
  s.Reveal(2, 5);
  const auto& rects = s.Screen().presented;
  ASSERT_GT(rects.size(), before);
  // The first circles are small, and no pass presents the whole frame
  // until the circle has outgrown it.
  EXPECT_LE(rects[before].Width(), 10);
  EXPECT_LT(rects[before + 5].Width(), 200);
  EXPECT_EQ(s.Screen().screen, s.target.Pixels());
}

TEST(RevealTransition, PresentsAsTightlyAsThePlatformAsks) {
  // Where each presented rectangle is a copy in the program, the pieces
  // hold no more than twice what changed: more of them, fewer pixels.
  size_t count[2];
  int64_t area[2];
  for (const int32_t slack : {0, 4096}) {
    Stage s(640, 360);
    s.p.presentPieceSlack = slack;
    const size_t before = s.Screen().presented.size();
    s.Reveal(2, 10);
    const auto& rects = s.Screen().presented;
    const size_t i = slack == 0 ? 0 : 1;
    count[i] = rects.size() - before;
    area[i] = 0;
    for (size_t k = before; k < rects.size(); ++k)
      area[i] += int64_t{rects[k].Width()} * rects[k].Height();
    EXPECT_EQ(s.Screen().screen, s.target.Pixels()) << slack;
  }
  EXPECT_GT(count[0], count[1]);
  EXPECT_LT(area[0], area[1]);
}

TEST(RevealTransition, SweepsEndAtTheirLastSideOrAtTheLimit) {
  constexpr int32_t kW = 20, kH = 12;
  // The radial sweep draws 2W + 2H + 5 lines, the fan W + H + 3; a count of 1
  // reaches the limit of one line per pass first, larger counts the end of
  // the sweep.
  for (auto [mode, lines, limit] : {std::tuple{1, 2 * kW + 2 * kH + 5, 2 * kW + 2 * kH},
                                    std::tuple{3, kW + kH + 3, kW + kH}}) {
    SCOPED_TRACE(mode);
    Stage s(kW, kH);
    EXPECT_EQ(s.Reveal(mode, 1), uint64_t(limit));
    EXPECT_EQ(s.target.Pixels(), s.source.Pixels());  // the lines not drawn are filled in
    EXPECT_EQ(s.Screen().screen, s.target.Pixels());
    for (int32_t count : {2, 3, 7}) {
      Stage t(kW, kH);
      EXPECT_EQ(t.Reveal(mode, count), uint64_t((lines + count - 1) / count)) << count;
    }
  }
}

TEST(RevealTransition, OtherModesOnlyAssignThePicture) {
  for (int16_t mode : {0, 4, -1, 32767}) {
    Stage s(30, 20);
    s.source.SetPicture(Noise(30, 20, 9));
    EXPECT_EQ(s.Reveal(mode, 10), 0u);
    EXPECT_TRUE(s.target.HasPicture());
    EXPECT_EQ(s.target.Pixels(), s.source.Pixels());
    EXPECT_FALSE(s.base.TransitionRunning);
  }
}

TEST(RevealTransition, CountOfZeroOrBelowGrowsAsOne) {
  for (int32_t count : {0, -1, -2147483647 - 1}) {
    Stage s(64, 48);
    EXPECT_EQ(s.Reveal(2, count), 40u) << count;  // half diagonal 40, one per pass
    Stage one(64, 48);
    one.Reveal(2, 1);
    EXPECT_EQ(s.target.Pixels(), one.target.Pixels());
    Stage fan(10, 6);
    EXPECT_EQ(fan.Reveal(3, count), 16u);
  }
}

TEST(RevealTransition, NestedRevealFinishesFirstAndTheOuterReturnsWithoutAssigning) {
  Stage s(200, 150);
  s.source.SetPicture(Noise(200, 150, 5));
  PictureBox innerTarget{s.p, false}, innerSource{s.p, true};
  innerTarget.Resize(40, 30);
  innerSource.Resize(40, 30);
  innerSource.SetPicture(Noise(40, 30, 6));
  innerTarget.scaleMode = innerSource.scaleMode = ScaleMode::Twips;
  bool runningInside = false;
  s.onTimer = [&](int32_t id) {
    s.window->StopTimer(id);
    runningInside = s.base.TransitionRunning;
    RevealTransition(s.p, s.base, innerTarget, innerSource, 2, 5);  // 5 passes
  };
  s.window->StartTimer(1, 50);
  const uint64_t frames = s.Reveal(2, 1);  // alone it would take 125
  EXPECT_TRUE(runningInside);
  EXPECT_FALSE(s.base.TransitionRunning);
  EXPECT_TRUE(innerTarget.HasPicture());
  EXPECT_EQ(innerTarget.Pixels(), innerSource.Pixels());
  EXPECT_FALSE(s.target.HasPicture());
  EXPECT_EQ(frames, 4u + 5u);  // the timer came in the outer's fourth frame
}

TEST(RevealTransition, InputIsHandledWithinAFrameAndEndingTheProgramStopsIt) {
  Stage s(400, 300);
  int keys = 0;
  s.onKey = [&] {
    ++keys;
    s.p.EndProgram();
  };
  s.p.PressKey(*s.window, vk::kSpace);
  EXPECT_EQ(s.Reveal(2, 1), 1u);
  EXPECT_EQ(keys, 1);
}

TEST(RevealTransition, StepIntervalSpacesPassesAcrossTheTickWrap) {
  Stage plain(64, 48);
  const uint64_t passes = plain.Reveal(2, 3);
  Stage spaced(64, 48);
  spaced.p.clockMs = 0xFFFFFFF0u;  // the tick counter wraps during the reveal
  spaced.base.StepInterval = 32;   // two frames of 16 ms
  EXPECT_EQ(spaced.Reveal(2, 3), 2 * passes);
  EXPECT_EQ(spaced.target.Pixels(), plain.target.Pixels());
}

}  // namespace
}  // namespace tl
