#pragma once
// The screen as one window sees it: whatever the platform's screen says,
// except the resolution, which is that of the monitor the window stands on.
// A per-monitor-aware program draws each window at its own monitor's
// resolution, so a window's twips become its monitor's pixels.
#include "toolkit/screen.h"

namespace tl {

class ScreenAtDpi final : public Screen {
 public:
  explicit ScreenAtDpi(Screen& screen) : s_(screen) {}
  // 0 (or below) follows the platform's screen.
  void SetDpi(int32_t x, int32_t y) {
    dpiX_ = x;
    dpiY_ = y;
  }

  int32_t Width() override { return s_.Width(); }
  int32_t Height() override { return s_.Height(); }
  int32_t DpiX() override { return dpiX_ > 0 ? dpiX_ : s_.DpiX(); }
  int32_t DpiY() override { return dpiY_ > 0 ? dpiY_ : s_.DpiY(); }
  int32_t BitsPerPixel() override { return s_.BitsPerPixel(); }
  bool SnapshotDesktop(Surface& into) override { return s_.SnapshotDesktop(into); }
  bool CursorPosition(int32_t& x, int32_t& y) override { return s_.CursorPosition(x, y); }
  std::vector<Monitor> Monitors() override { return s_.Monitors(); }
  bool SnapshotDesktopAt(Surface& into, int32_t x, int32_t y) override {
    return s_.SnapshotDesktopAt(into, x, y);
  }

 private:
  Screen& s_;
  int32_t dpiX_ = 0, dpiY_ = 0;
};

}  // namespace tl
