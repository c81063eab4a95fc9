#pragma once
// The platform's horizontal scroll bar, a child of one of our windows. The
// user moves it with the mouse (arrows, track, thumb) and, once it has the
// focus, with the keyboard; the platform draws it.
#include <cstdint>
#include <memory>

#include "gfx/surface.h"
#include "toolkit/window.h"

namespace tl {

struct ScrollBarSpec {
  Rect rect;              // client pixels of the host
  NativeHandle host = 0;  // one of our windows
  int32_t min = 0, max = 100;
  int32_t smallChange = 1, largeChange = 1;
};

class ScrollBarEvents {
 public:
  virtual ~ScrollBarEvents() = default;
  // The value changed and the user let go: an arrow, the track, a key, or
  // the thumb released after a drag.
  virtual void OnChange(int32_t /*value*/) {}
  // The thumb is being dragged; the value follows it.
  virtual void OnScroll(int32_t /*value*/) {}
};

class ScrollBar {
 public:
  virtual ~ScrollBar() = default;
  virtual int32_t Value() const = 0;
  // False, and the value unchanged, for a value outside min..max. Raises no event.
  virtual bool SetValue(int32_t value) = 0;
  // Another place in the host's client pixels.
  virtual void Move(const Rect& /*rect*/) {}
};

// Where a move of the user takes a scroll bar's value: `delta` steps of a
// small (false) or large (true) change, clamped to the range.
inline int32_t ScrollTarget(const ScrollBarSpec& s, int32_t value, int32_t delta, bool large) {
  const int64_t step = large ? s.largeChange : s.smallChange;
  const int64_t v = static_cast<int64_t>(value) + step * delta;
  return static_cast<int32_t>(v < s.min ? s.min : v > s.max ? s.max : v);
}

}  // namespace tl
