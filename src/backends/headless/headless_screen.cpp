// The screen of the headless back end: the size, resolution and depth the
// test sets, a desktop picture to snapshot and a scripted pointer.
#include <algorithm>

#include "backends/headless/headless_platform.h"
#include "gfx/raster.h"

namespace tl {

int32_t HeadlessPlatform::Width() {
  NoteQuietly("Screen.Width");
  return screenWidth;
}

int32_t HeadlessPlatform::Height() {
  NoteQuietly("Screen.Height");
  return screenHeight;
}

int32_t HeadlessPlatform::DpiX() {
  NoteQuietly("Screen.DpiX");
  return dpiX;
}

int32_t HeadlessPlatform::DpiY() {
  NoteQuietly("Screen.DpiY");
  return dpiY;
}

int32_t HeadlessPlatform::BitsPerPixel() {
  NoteQuietly("Screen.BitsPerPixel");
  return bitsPerPixel;
}

bool HeadlessPlatform::SnapshotDesktop(Surface& into) {
  Note("SnapshotDesktop");
  if (snapshotFails) return false;
  into.Fill(0);
  BitBlt(into, 0, 0, std::min(into.Width(), screenWidth), std::min(into.Height(), screenHeight),
         desktop, -desktopLeft, -desktopTop, Rop::SrcCopy);
  return true;
}

void HeadlessPlatform::SetMonitors(std::vector<Monitor> layout) {
  monitors = std::move(layout);
  Rect all;
  for (size_t i = 0; i < monitors.size(); ++i) {
    monitors[i].primary = i == 0;
    all = Union(all, monitors[i].rect);
  }
  if (monitors.empty()) return;
  screenWidth = monitors[0].rect.Width();
  screenHeight = monitors[0].rect.Height();
  dpiX = monitors[0].dpiX;
  dpiY = monitors[0].dpiY;
  desktopLeft = all.left;
  desktopTop = all.top;
  desktop.Resize(all.Width(), all.Height(), 0);
}

std::vector<Monitor> HeadlessPlatform::Monitors() {
  NoteQuietly("Screen.Monitors");
  return monitors;
}

bool HeadlessPlatform::SnapshotDesktopAt(Surface& into, int32_t x, int32_t y) {
  Note("SnapshotDesktopAt");
  if (snapshotFails) return false;
  into.Fill(0);
  BitBlt(into, 0, 0, into.Width(), into.Height(), desktop, x - desktopLeft, y - desktopTop,
         Rop::SrcCopy);
  return true;
}

bool HeadlessPlatform::CursorPosition(int32_t& x, int32_t& y) {
  Note("CursorPosition");
  if (!cursorReadable) return false;
  x = cursorX;
  y = cursorY;
  return true;
}

}  // namespace tl
