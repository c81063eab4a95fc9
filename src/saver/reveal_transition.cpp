#include "saver/reveal_transition.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "saver/reveal_compositor.h"
#include "saver/reveal_plan.h"
#include "saver/reveal_shapes.h"
#include "base/numeric.h"

namespace tl {

namespace {

// A box's scale size, in twips, as whole pixels: rounded, then divided with
// the remainder dropped.
int32_t PixelsOf(double scaleSize, int32_t twipsPerPixel) {
  const double rounded = std::clamp(RoundHalfEven(scaleSize), 0.0,
                                    double(std::numeric_limits<int32_t>::max()));
  // A screen that reports no twips per pixel is taken as one, not divided by.
  return static_cast<int32_t>(rounded) / std::max(twipsPerPixel, 1);
}

// Whether the minimum interval between passes has passed. The tick counter
// wraps at 2^32, so the difference is taken modulo 2^32; a negative
// interval is no interval.
bool PassDue(uint32_t now, int32_t lastStepTick, int32_t stepInterval) {
  const uint32_t elapsed = now - static_cast<uint32_t>(lastStepTick);
  return elapsed >= static_cast<uint32_t>(std::max(stepInterval, 0));
}

}  // namespace

namespace {

// One lane's growth and copying, and whether its end has been shown.
struct LaneRun {
  LaneRun(Platform& platform, const RevealLane& lane, int16_t mode, int32_t count)
      : target(lane.target),
        source(lane.source),
        w(PixelsOf(target.ScaleWidth(), platform.screen.TwipsPerPixelX())),
        h(PixelsOf(target.ScaleHeight(), platform.screen.TwipsPerPixelY())),
        shapes(mode, w, h, count),
        compositor(target.Pixels(), source.Pixels(), w, h,
                   platform.windows.PresentPieceSlack()) {
    // A growing circle replays the plan of its size, when both pictures
    // are of that size.
    const Surface &t = target.Pixels(), &s = source.Pixels();
    if (mode == kGrowingCircle && t.Width() == w && s.Width() == w && t.Height() == h &&
        s.Height() == h)
      plan = RevealPlan::For(w, h, count, platform.windows.PresentPieceSlack());
  }

  bool Finished() const { return plan ? pass >= plan->Passes() : shapes.Finished(); }
  // Copies one pass and presents what it changed.
  void Pass() {
    if (plan) {
      target.Refresh(plan->Replay(pass++, target.Pixels(), source.Pixels()));
      return;
    }
    compositor.BeginPass();
    shapes.OuterPass(compositor);
    compositor.EndPass();
    target.Refresh(compositor.Pieces());
  }
  // Copies whatever the growth left, so the target then holds the source's
  // every pixel when both pictures are the reveal's size.
  void Complete() {
    const Surface &t = target.Pixels(), &s = source.Pixels();
    holdsSource = t.Width() == w && s.Width() == w && t.Height() == h && s.Height() == h;
    if (plan) {
      target.Refresh(plan->Replay(plan->Passes(), target.Pixels(), source.Pixels()));
      return;
    }
    compositor.Complete();
    target.Refresh(compositor.Pieces());
  }

  PictureBox& target;
  PictureBox& source;
  int32_t w, h;
  RevealShapes shapes;
  RevealCompositor compositor;
  std::shared_ptr<const RevealPlan> plan;
  int32_t pass = 0;
  bool completed = false;
  bool holdsSource = false;  // the completion copied the source whole
};

}  // namespace

bool RevealTransition(Platform& platform, BaseModule& base, PictureBox& target,
                      PictureBox& source, int16_t mode, int32_t count) {
  const RevealLane lane{target, source};
  return RevealTransition(platform, base, std::span<const RevealLane>(&lane, 1), mode, count);
}

bool RevealTransition(Platform& platform, BaseModule& base, std::span<const RevealLane> lanes,
                      int16_t mode, int32_t count) {
  std::vector<std::unique_ptr<LaneRun>> runs;
  runs.reserve(lanes.size());
  for (const RevealLane& lane : lanes) runs.push_back(std::make_unique<LaneRun>(platform, lane, mode, count));
  const bool shaped = mode >= kRadialSweep && mode <= kCornerFan;
  // The growth may stop short of the picture's corners or last lines; the
  // new picture is shown whole when its growth ends.
  auto complete = [&](LaneRun& run) {
    if (run.completed) return;
    run.completed = true;
    if (!shaped) return;
    run.Complete();
  };

  base.TransitionRunning = true;
  while (base.TransitionRunning) {
    if (PassDue(platform.windows.TickCount(), base.LastStepTick, base.StepInterval)) {
      const bool allFinished = std::all_of(runs.begin(), runs.end(),
                                           [](const auto& r) { return r->Finished(); });
      if (allFinished) {
        for (auto& run : runs) complete(*run);
        base.TransitionRunning = false;
        // A lane whose completion copied every pixel needs no compare (both
        // whole pictures read again), here or in the caller's assignment.
        bool allShowSource = true;
        for (auto& run : runs) {
          if (!run->source.HasPicture()) {
            run->target.ClearPicture();
            allShowSource = allShowSource && run->holdsSource;
          } else if (run->holdsSource) {
            run->target.TookImageOf(run->source);
          } else {
            run->target.SetPictureFromImage(run->source);
            const Surface &t = run->target.Pixels(), &s = run->source.Pixels();
            allShowSource = allShowSource && t.Width() == s.Width() && t.Height() == s.Height();
          }
        }
        return allShowSource;
      }
      for (auto& run : runs) {
        if (run->Finished()) {
          complete(*run);
          continue;
        }
        run->Pass();
      }
      base.LastStepTick = static_cast<int32_t>(platform.windows.TickCount());
    }
    // Input is handled while waiting for the display to show the pass.
    platform.windows.WaitForFrame();
    // A handler may have ended the program, and with it these boxes.
    if (platform.windows.Ended()) return false;
  }
  return false;
}

}  // namespace tl
