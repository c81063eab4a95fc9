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
         desktop, 0, 0, Rop::SrcCopy);
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
