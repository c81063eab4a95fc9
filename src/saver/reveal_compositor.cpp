#include "saver/reveal_compositor.h"

#include <algorithm>
#include <cstring>

namespace tl {

RevealCompositor::RevealCompositor(Surface& target, const Surface& source, int32_t width,
                                   int32_t height)
    : target_(target),
      source_(source),
      w_(std::max(0, std::min({width, target.Width(), source.Width()}))),
      h_(std::max(0, std::min({height, target.Height(), source.Height()}))),
      revealed_(static_cast<size_t>(h_)),
      before_(static_cast<size_t>(h_)),
      fullRows_(w_ == 0 ? h_ : 0) {}

void RevealCompositor::BeginPass() {
  dirty_ = {};
  touchedTop_ = h_;
  touchedBottom_ = 0;
}

void RevealCompositor::CopyRun(int32_t y, int32_t left, int32_t right) {
  if (left >= right) return;
  std::memcpy(target_.Row(y) + left, source_.Row(y) + left, static_cast<size_t>(right - left) * 4);
  dirty_ = Union(dirty_, {left, y, right, y + 1});
}

void RevealCompositor::Line(Point from, Point to) {
  tracedLines_ = true;
  // Pixels already revealed hold the source's value, so copying them again
  // changes nothing.
  TraceLine(from, to, [&](int32_t x, int32_t y) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    target_.At(x, y) = source_.At(x, y);
    dirty_ = Union(dirty_, {x, y, x + 1, y + 1});
  });
}

bool RevealCompositor::Ellipse(Rect box) {
  if (fullRows_ == h_) return true;
  const int32_t top = std::max(std::min(box.top, box.bottom), 0);
  const int32_t bottom = std::min(std::max(box.top, box.bottom), h_);
  if (top >= bottom) return false;
  // Keep the rows' state from the start of the pass, for the copy at its end.
  const int32_t newTop = std::min(top, touchedTop_), newBottom = std::max(bottom, touchedBottom_);
  for (int32_t y = newTop; y < newBottom; ++y)
    if (y < touchedTop_ || y >= touchedBottom_) before_[y] = revealed_[y];
  touchedTop_ = newTop;
  touchedBottom_ = newBottom;

  for (int32_t y = top; y < bottom; ++y) {
    const Span& s = revealed_[y];
    if (!s.Empty() && s.left <= 0 && s.right >= w_) --fullRows_;  // recounted below
  }
  UnionEllipseSpans(box, top, bottom, revealed_.data() + top);
  for (int32_t y = top; y < bottom; ++y) {
    Span& s = revealed_[y];
    s.left = std::max(s.left, 0);
    s.right = std::min(s.right, w_);
    if (!s.Empty() && s.left == 0 && s.right == w_) ++fullRows_;
  }
  return fullRows_ == h_;
}

Rect RevealCompositor::Complete() {
  dirty_ = {};
  for (int32_t y = 0; y < h_; ++y) {
    const Span& s = revealed_[y];
    if (tracedLines_ || s.Empty()) {
      CopyRun(y, 0, w_);
    } else {
      CopyRun(y, 0, s.left);
      CopyRun(y, s.right, w_);
    }
  }
  return dirty_;
}

Rect RevealCompositor::EndPass() {
  for (int32_t y = touchedTop_; y < touchedBottom_; ++y) {
    const Span& was = before_[y];
    const Span& now = revealed_[y];
    if (now.Empty()) continue;
    if (was.Empty()) {
      CopyRun(y, now.left, now.right);
    } else {
      CopyRun(y, now.left, was.left);
      CopyRun(y, was.right, now.right);
    }
  }
  return dirty_;
}

}  // namespace tl
