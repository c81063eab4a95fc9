#include "saver/reveal_transition.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "saver/reveal_compositor.h"
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

void RevealTransition(Platform& platform, BaseModule& base, PictureBox& target,
                      PictureBox& source, int16_t mode, int32_t count) {
  const int32_t w = PixelsOf(target.ScaleWidth(), platform.screen.TwipsPerPixelX());
  const int32_t h = PixelsOf(target.ScaleHeight(), platform.screen.TwipsPerPixelY());
  RevealShapes shapes(mode, w, h, count);
  RevealCompositor compositor(target.Pixels(), source.Pixels(), w, h);

  base.TransitionRunning = true;
  while (base.TransitionRunning) {
    if (PassDue(platform.windows.TickCount(), base.LastStepTick, base.StepInterval)) {
      if (shapes.Finished()) {
        // The growth may stop short of the picture's corners or last lines;
        // the new picture is shown whole when the reveal ends.
        if (mode >= kRadialSweep && mode <= kCornerFan) target.Refresh(compositor.Complete());
        base.TransitionRunning = false;
        if (source.HasPicture())
          target.SetPictureFromImage(source);
        else
          target.ClearPicture();
        return;
      }
      compositor.BeginPass();
      shapes.Pass(compositor);
      target.Refresh(compositor.EndPass());
      base.LastStepTick = static_cast<int32_t>(platform.windows.TickCount());
    }
    // Input is handled while waiting for the display to show the pass.
    platform.windows.WaitForFrame();
    // A handler may have ended the program, and with it these boxes.
    if (platform.windows.Ended()) return;
  }
}

}  // namespace tl
