#pragma once
// The seam to the primary screen: its size, resolution and colour depth, a
// copy of what it shows, and where the pointer is.
#include <cstdint>

#include "gfx/surface.h"
#include "toolkit/monitors.h"

namespace tl {

// Twips (1/1440 inch) per pixel at a resolution in dots per inch, rounded;
// 15 at 96 DPI, 10 at 144 DPI, and 15 when the resolution is unknown.
constexpr int32_t TwipsPerPixelAt(int32_t dpi) {
  return dpi > 0 ? (1440 + dpi / 2) / dpi : 15;
}

class Screen {
 public:
  virtual ~Screen() = default;

  // The primary screen, in physical pixels.
  virtual int32_t Width() = 0;
  virtual int32_t Height() = 0;
  // Logical dots per inch, across and down.
  virtual int32_t DpiX() = 0;
  virtual int32_t DpiY() = 0;
  // Bits per pixel of the screen's device context.
  virtual int32_t BitsPerPixel() = 0;
  // Copies the desktop from the primary screen's origin into `into`, at its size.
  virtual bool SnapshotDesktop(Surface& into) = 0;
  // The mouse pointer in screen pixels; false when it cannot be read.
  virtual bool CursorPosition(int32_t& x, int32_t& y) = 0;

  // --- every monitor ---
  // The monitors in the virtual screen; empty when the platform cannot
  // tell, which means the primary screen alone.
  virtual std::vector<Monitor> Monitors() = 0;
  // Copies the desktop from a point of the virtual screen into `into`, at
  // its size; parts outside every monitor come out black.
  virtual bool SnapshotDesktopAt(Surface& into, int32_t x, int32_t y) = 0;

  int32_t TwipsPerPixelX() { return TwipsPerPixelAt(DpiX()); }
  int32_t TwipsPerPixelY() { return TwipsPerPixelAt(DpiY()); }
};

}  // namespace tl
