#include "saver/reveal_shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/numeric.h"

namespace tl {

namespace {
int32_t RoundCoordinate(double v) {
  const double r = RoundHalfEven(v);
  return static_cast<int32_t>(std::clamp(r, double(std::numeric_limits<int32_t>::min()),
                                         double(std::numeric_limits<int32_t>::max())));
}
}  // namespace

RevealShapes::RevealShapes(int16_t mode, int32_t width, int32_t height, int32_t count)
    : mode_(mode), w_(std::max(width, 0)), h_(std::max(height, 0)), count_(std::max(count, 1)) {
  switch (mode_) {
    case kRadialSweep: limit_ = 2 * w_ + 2 * h_; break;
    case kGrowingCircle: {
      const double hw = w_ / 2.0, hh = h_ / 2.0;
      limit_ = RoundCoordinate(std::sqrt(hw * hw + hh * hh));
      // A circle holds the one two radii smaller (they share their centre,
      // the rounding of odd sizes alternating with the radius), so from the
      // first two consecutive radii that cover the picture, all do.
      coverRadius_ = std::max(limit_ - 2, 0);
      while (!CoversPicture(coverRadius_) || !CoversPicture(coverRadius_ + 1)) ++coverRadius_;
      break;
    }
    case kCornerFan: limit_ = w_ + h_; break;
    default: limit_ = 0; break;
  }
}

void RevealShapes::Pass(ShapeSink& sink) {
  switch (mode_) {
    case kRadialSweep: SweepPass(sink); break;
    case kGrowingCircle: CirclePass(sink, false); break;
    case kCornerFan: FanPass(sink); break;
    default: break;
  }
  if (progress_ < std::numeric_limits<int32_t>::max()) ++progress_;
}

void RevealShapes::OuterPass(ShapeSink& sink) {
  switch (mode_) {
    case kRadialSweep: SweepPass(sink); break;
    case kGrowingCircle: CirclePass(sink, true); break;
    case kCornerFan: FanPass(sink); break;
    default: break;
  }
  if (progress_ < std::numeric_limits<int32_t>::max()) ++progress_;
}

void RevealShapes::SweepPass(ShapeSink& sink) {
  const Point centre{RoundCoordinate(w_ / 2.0), RoundCoordinate(h_ / 2.0)};
  // Once the sweep has passed its last side the remaining shapes draw
  // nothing, so the batch stops there.
  for (int32_t i = 0; i < count_ && side_ != -1; ++i) {
    switch (side_) {
      case 0: sink.Line(centre, {position_, -1}); break;
      case 1: sink.Line(centre, {w_, position_}); break;
      case 2: sink.Line(centre, {w_ - position_, h_}); break;
      case 3: sink.Line(centre, {-1, h_ - position_}); break;
    }
    const int32_t length = side_ % 2 == 0 ? w_ : h_;
    if (position_ > length) {
      position_ = 0;
      side_ = side_ == 3 ? -1 : side_ + 1;
    }
    ++position_;
  }
}

Rect RevealShapes::CircleBox(int64_t r) const {
  const double cx = w_ / 2.0, cy = h_ / 2.0;
  return {RoundCoordinate(cx - double(r)), RoundCoordinate(cy - double(r)),
          RoundCoordinate(cx + double(r)), RoundCoordinate(cy + double(r))};
}

bool RevealShapes::CoversPicture(int64_t r) const {
  int32_t rows = 0;
  ForEachEllipseRun(CircleBox(r), 0, h_, [&](int32_t, int32_t left, int32_t right) {
    if (left <= 0 && right >= w_) ++rows;
  });
  return rows == h_;
}

void RevealShapes::CirclePass(ShapeSink& sink, bool outerOnly) {
  // The radius starts one below the progress, so that together with the
  // pass's own step it grows by exactly `count` per pass.
  const int64_t first = int64_t{progress_} - 1;
  int64_t from = first, to = first + count_ - 1;
  if (outerOnly) {
    // Beyond the covering radii nothing more shows.
    to = std::min(to, coverRadius_ + 1);
    from = std::max(from, to - 1);
    if (from > to) from = to = coverRadius_;
  }
  for (int64_t r = from; r <= to; ++r) {
    // Larger circles than one that covers the picture change nothing.
    if (sink.Ellipse(CircleBox(r))) break;
  }
  progress_ = static_cast<int32_t>(
      std::min<int64_t>(first + count_, std::numeric_limits<int32_t>::max() - 1));
}

void RevealShapes::FanPass(ShapeSink& sink) {
  const Point corner{0, 0};
  for (int32_t i = 0; i < count_ && side_ != -1; ++i) {
    // The side is tested before drawing here; the line drawn is that of the
    // side the shape started on, at the position after the test.
    const int32_t startSide = side_;
    if (side_ == 0 && position_ > w_) {
      position_ = 0;
      side_ = 1;
    } else if (side_ == 1 && position_ > h_) {
      position_ = 0;
      side_ = -1;
    }
    if (startSide == 0) sink.Line(corner, {position_, h_});
    else if (startSide == 1) sink.Line(corner, {w_, h_ - position_});
    ++position_;
  }
}

}  // namespace tl
