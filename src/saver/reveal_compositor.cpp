#include "saver/reveal_compositor.h"

#include <algorithm>
#include <cstring>

namespace tl {

namespace {
constexpr int32_t kPrefetchRows = 8;
}  // namespace

RevealCompositor::RevealCompositor(Surface& target, const Surface& source, int32_t width,
                                   int32_t height, int32_t pieceSlack)
    : target_(&target),
      source_(&source),
      w_(std::max(0, std::min({width, target.Width(), source.Width()}))),
      h_(std::max(0, std::min({height, target.Height(), source.Height()}))),
      pieceSlack_(std::max(pieceSlack, 0)),
      revealed_(static_cast<size_t>(h_)),
      before_(static_cast<size_t>(h_)),
      savedInPass_(static_cast<size_t>(h_), 0),
      fullRows_(w_ == 0 ? h_ : 0) {}

RevealCompositor::RevealCompositor(RevealPlan& plan, int32_t pieceSlack)
    : target_(nullptr),
      source_(nullptr),
      plan_(&plan),
      w_(plan.Width()),
      h_(plan.Height()),
      pieceSlack_(std::max(pieceSlack, 0)),
      revealed_(static_cast<size_t>(h_)),
      before_(static_cast<size_t>(h_)),
      savedInPass_(static_cast<size_t>(h_), 0),
      fullRows_(w_ == 0 ? h_ : 0) {}

void RevealCompositor::BeginPass() {
  ++pass_;
  dirty_ = {};
  linesInPass_ = false;
  pieces_.clear();
  touchedTop_ = h_;
  touchedBottom_ = 0;
}

void RevealCompositor::CopyRun(int side, int32_t y, int32_t left, int32_t right) {
  if (left >= right) return;
  if (plan_)
    plan_->AddRun(y, left, right);
  else
    std::memcpy(target_->Row(y) + left, source_->Row(y) + left,
                static_cast<size_t>(right - left) * 4);
  const Rect run{left, y, right, y + 1};
  Piece& open = open_[side];
  const Rect grown = Union(open.rect, run);
  const int64_t copied = open.area + run.Width();
  const bool adjoins = !open.rect.Empty() && open.rect.bottom == y;
  if (adjoins && int64_t{grown.Width()} * grown.Height() <= 2 * copied + pieceSlack_) {
    open.rect = grown;
    open.area = copied;
    return;
  }
  if (!open.rect.Empty()) pieces_.push_back(open.rect);
  open = {run, run.Width()};
}

void RevealCompositor::ClosePieces() {
  for (Piece& open : open_) {
    if (!open.rect.Empty()) pieces_.push_back(open.rect);
    open = {};
  }
  // Traced lines are reported by their bounding box alone.
  if (linesInPass_) {
    pieces_.clear();
    if (!dirty_.Empty()) pieces_.push_back(dirty_);
  } else {
    for (const Rect& piece : pieces_) dirty_ = Union(dirty_, piece);
  }
  if (plan_) plan_->ClosePass(pieces_, dirty_);
}

void RevealCompositor::Line(Point from, Point to) {
  tracedLines_ = true;
  linesInPass_ = true;
  // Pixels already revealed hold the source's value, so copying them again
  // changes nothing.
  TraceLine(from, to, [&](int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    if (plan_) plan_->AddRun(y, x, x + 1);
    else target_->At(x, y) = source_->At(x, y);
    dirty_ = Union(dirty_, {x, y, x + 1, y + 1});
  });
}

bool RevealCompositor::Ellipse(Rect box) {
  if (fullRows_ == h_) return true;
  ForEachEllipseRun(box, 0, h_, [&](int32_t y, int32_t left, int32_t right) {
    Span& s = revealed_[y];
    if (s.left == 0 && s.right == w_) return;  // nothing left to add in this row
    left = std::max(left, 0);
    right = std::min(right, w_);
    if (left >= right) return;
    // Keep the row as the pass found it, for the copy at the pass's end.
    if (savedInPass_[y] != pass_) {
      savedInPass_[y] = pass_;
      before_[y] = s;
      touchedTop_ = std::min(touchedTop_, y);
      touchedBottom_ = std::max(touchedBottom_, y + 1);
    }
    UnionSpan(s, {left, right});
    if (s.left == 0 && s.right == w_) ++fullRows_;
  });
  return fullRows_ == h_;
}

Rect RevealCompositor::Complete() {
  dirty_ = {};
  linesInPass_ = false;
  pieces_.clear();
  for (int32_t y = 0; y < h_; ++y) {
    const Span& s = revealed_[y];
    if (tracedLines_ || s.Empty()) {
      CopyRun(0, y, 0, w_);
    } else {
      CopyRun(0, y, 0, s.left);
      CopyRun(1, y, s.right, w_);
    }
  }
  ClosePieces();
  return dirty_;
}

Rect RevealCompositor::EndPass() {
  for (int32_t y = touchedTop_; y < touchedBottom_; ++y) {
    // The runs lie in rows far apart in memory: fetch a few rows ahead, so
    // that the copies do not wait on memory one row at a time.
    if (const int32_t ahead = y + kPrefetchRows; ahead < touchedBottom_ && !plan_) {
      const Span& next = revealed_[ahead];
      if (!next.Empty()) {
        __builtin_prefetch(source_->Row(ahead) + next.left);
        __builtin_prefetch(source_->Row(ahead) + next.right - 1);
        __builtin_prefetch(target_->Row(ahead) + next.left, 1);
        __builtin_prefetch(target_->Row(ahead) + next.right - 1, 1);
      }
    }
    if (savedInPass_[y] != pass_) continue;
    const Span& was = before_[y];
    const Span& now = revealed_[y];
    if (now.Empty()) continue;
    if (was.Empty()) {
      CopyRun(0, y, now.left, now.right);
    } else {
      CopyRun(0, y, now.left, was.left);
      CopyRun(1, y, was.right, now.right);
    }
  }
  ClosePieces();
  return dirty_;
}

}  // namespace tl
