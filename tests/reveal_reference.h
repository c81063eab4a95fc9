#pragma once
// The plain mask method of a reveal, for comparison: shapes are drawn white
// into a black mask two pixels wider and higher than the picture, and every
// pass composes the whole picture with four block transfers.
#include "saver/reveal_shapes.h"
#include "gfx/gdi_shapes.h"
#include "gfx/raster.h"

namespace tl {

class MaskReveal : public ShapeSink {
 public:
  MaskReveal(int32_t w, int32_t h) : w_(w), h_(h), mask_(w + 2, h + 2), work_(w + 2, h + 2) {}

  void Line(Point from, Point to) override { DrawLine(mask_, from, to, kWhite); }
  bool Ellipse(Rect box) override {
    DrawEllipse(mask_, box, kWhite);
    return false;
  }

  void Compose(Surface& target, const Surface& source) {
    BitBlt(work_, 0, 0, w_, h_, mask_, 0, 0, Rop::NotSrcCopy);
    BitBlt(target, 0, 0, w_, h_, work_, 0, 0, Rop::SrcAnd);
    BitBlt(mask_, 0, 0, w_, h_, source, 0, 0, Rop::SrcAnd);
    BitBlt(target, 0, 0, w_, h_, mask_, 0, 0, Rop::SrcPaint);
  }

 private:
  static constexpr uint32_t kWhite = 0x00FFFFFF;
  int32_t w_, h_;
  Surface mask_, work_;
};

}  // namespace tl
