#include "shared/window_zoom.h"

#include <limits>

namespace tl {

namespace {

Rect CursorPoint(const BaseModule& b) { return {b.CursorX, b.CursorY, b.CursorX, b.CursorY}; }

Rect WindowRectOrZero(Platform& p, NativeHandle window) {
  Rect r;
  if (!p.windows.WindowRect(window, r)) r = {};
  return r;
}

bool FitsInt16(int32_t v) {
  return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

}  // namespace

void RecordCursorPosition(Platform& p, BaseModule& b) {
  int32_t x = 0, y = 0;
  const bool ok = p.screen.CursorPosition(x, y);
  b.LastApiResult = ok ? 1 : 0;
  if (!ok) x = y = 0;
  if (FitsInt16(x)) b.CursorX = static_cast<int16_t>(x);
  if (FitsInt16(y)) b.CursorY = static_cast<int16_t>(y);
}

void ZoomFromCursor(Platform& p, const BaseModule& b, NativeHandle window) {
  p.windows.AnimateCaption(window, CursorPoint(b), WindowRectOrZero(p, window));
}

void ZoomToCursor(Platform& p, const BaseModule& b, NativeHandle window) {
  p.windows.AnimateCaption(window, WindowRectOrZero(p, window), CursorPoint(b));
}

}  // namespace tl
