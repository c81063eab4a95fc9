#pragma once
// The growth of a reveal: which shapes each pass adds to the revealed area,
// and when the growth is complete. Drawing is left to a sink, so the same
// counters drive the incremental compositor and a plain mask.
#include <cstdint>

#include "gfx/gdi_shapes.h"
#include "gfx/surface.h"

namespace tl {

enum RevealMode : int16_t { kRadialSweep = 1, kGrowingCircle = 2, kCornerFan = 3 };

class ShapeSink {
 public:
  virtual ~ShapeSink() = default;
  // A line from `from` to `to`, end excluded, in picture pixels.
  virtual void Line(Point from, Point to) = 0;
  // An ellipse in its bounding box; returns true once the whole picture is
  // revealed, so that larger circles could add nothing more.
  virtual bool Ellipse(Rect box) = 0;
};

class RevealShapes {
 public:
  // `count` shapes per pass; counts of 0 or below grow as 1 would, since
  // they would otherwise never finish.
  RevealShapes(int16_t mode, int32_t width, int32_t height, int32_t count);

  int32_t Limit() const { return limit_; }
  int32_t Progress() const { return progress_; }
  bool Finished() const { return progress_ >= limit_ || side_ == -1; }

  // Draws one pass's shapes into `sink` and counts the pass.
  void Pass(ShapeSink& sink);
  // The same pass drawing only what shows of it: of a pass's concentric
  // circles only the two largest, which hold all the smaller ones, so a
  // pass costs the same whatever the count. Other shapes as Pass.
  void OuterPass(ShapeSink& sink);

 private:
  void SweepPass(ShapeSink& sink);
  void CirclePass(ShapeSink& sink, bool outerOnly);
  void FanPass(ShapeSink& sink);
  Rect CircleBox(int64_t radius) const;
  bool CoversPicture(int64_t radius) const;

  int16_t mode_;
  int32_t w_, h_, count_;
  int32_t limit_ = 0;
  // From this radius on every circle covers the whole picture (circles only).
  int64_t coverRadius_ = 0;
  int32_t progress_ = 0, side_ = 0, position_ = 0;
};

}  // namespace tl
