#pragma once
// Brings a reveal's shapes onto the target: each pass copies from the source
// only the pixels that the pass newly reveals, and reports them as a few
// rectangles (and their bounding box) so that only they are presented: late
// in a reveal a pass adds a thin ring, whose bounding box is nearly the
// whole picture.
//
// The outcome is that of a full-picture mask: the target holds the source's
// pixels wherever any shape so far has covered, and its own elsewhere. A
// circle is kept as one run per row, so a pass copies only the runs by which
// its circles widen the rows; a line's pixels are copied as it is traced.
// Whole pixels are copied, reserved byte included.
#include <cstdint>
#include <vector>

#include "saver/reveal_plan.h"
#include "saver/reveal_shapes.h"
#include "gfx/surface.h"

namespace tl {

class RevealCompositor : public ShapeSink {
 public:
  // The picture is width x height pixels, clipped to both surfaces. All the
  // memory a reveal needs is taken here, none per pass.
  // A piece may hold `pieceSlack` pixels besides twice those it copies.
  RevealCompositor(Surface& target, const Surface& source, int32_t width, int32_t height,
                   int32_t pieceSlack = RevealPlan::kDefaultPieceSlack);
  // Copies nothing: records each pass's runs and pieces into `plan`.
  explicit RevealCompositor(RevealPlan& plan, int32_t pieceSlack = RevealPlan::kDefaultPieceSlack);

  void BeginPass();
  // Copies what the pass revealed; returns its bounding box (maybe empty).
  Rect EndPass();

  // Copies whatever the shapes left unrevealed, such as the corners that the
  // last circle does not reach; returns its bounding box.
  Rect Complete();

  // What the last EndPass or Complete copied, as a few rectangles that
  // together hold every pixel copied and waste at most about as much again.
  const std::vector<Rect>& Pieces() const { return pieces_; }

  void Line(Point from, Point to) override;
  bool Ellipse(Rect box) override;

 private:
  // A run copied on the left (or alone in its row: 0) or the right (1).
  void CopyRun(int side, int32_t y, int32_t left, int32_t right);
  void ClosePieces();

  // Rows' runs gathered into one rectangle while it stays tight.
  struct Piece {
    Rect rect;
    int64_t area = 0;  // pixels actually copied within it
  };

  Surface* target_;
  const Surface* source_;
  RevealPlan* plan_ = nullptr;
  int32_t w_, h_;
  int64_t pieceSlack_;
  std::vector<Span> revealed_;  // per row, what circles have revealed so far
  std::vector<Span> before_;    // the same at the start of the pass
  std::vector<uint32_t> savedInPass_;  // the pass whose start before_ holds
  uint32_t pass_ = 0;
  int32_t fullRows_ = 0;        // rows the circles cover from edge to edge
  int32_t touchedTop_ = 0, touchedBottom_ = 0;  // rows the pass's circles reach
  bool tracedLines_ = false;  // lines keep no runs, so completing copies all
  Rect dirty_;
  bool linesInPass_ = false;
  Piece open_[2];
  std::vector<Rect> pieces_;
};

}  // namespace tl
