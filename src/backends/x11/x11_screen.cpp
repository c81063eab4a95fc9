// The primary screen of the x11 back end: the primary monitor, or the host
// window standing for the screen.
#include "backends/x11/x11_connection.h"

#include <X11/extensions/dpms.h>

namespace tl {

int32_t X11Platform::Width() { return c_->width; }
int32_t X11Platform::Height() { return c_->height; }

// X keeps no resolution of its own worth trusting (Xvfb and many drivers
// report made-up sizes in millimetres), and the Linux program draws no text.
int32_t X11Platform::DpiX() { return 96; }
int32_t X11Platform::DpiY() { return 96; }

// 32 where our pixels can be shown, converted as the visual needs; otherwise
// its depth, which the picture engine refuses with its message.
int32_t X11Platform::BitsPerPixel() { return c_->served ? 32 : c_->depth; }

bool X11Platform::SnapshotDesktop(Surface& into) { return SnapshotDesktopAt(into, 0, 0); }

bool X11Platform::CursorPosition(int32_t& x, int32_t& y) {
  x11::XWindow root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned int mask = 0;
  if (!XQueryPointer(c_->display, c_->parent, &root, &child, &rootX, &rootY, &winX, &winY, &mask))
    return false;
  x = winX - c_->originX;
  y = winY - c_->originY;
  return true;
}

}  // namespace tl

namespace tl::x11 {

int DisplayPower(Display* d) {
  int event = 0, error = 0;
  if (!DPMSQueryExtension(d, &event, &error) || !DPMSCapable(d)) return -1;
  CARD16 level = 0;
  BOOL enabled = False;
  if (!DPMSInfo(d, &level, &enabled)) return -1;
  // Standby and suspend show nothing either.
  return !enabled || level == DPMSModeOn ? 1 : 0;
}

}  // namespace tl::x11
