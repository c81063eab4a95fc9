// The primary screen of the win32 back end.
#include <windows.h>

#include "backends/win32/gdi_handles.h"
#include "backends/win32/win32_platform.h"

namespace tl {

using win32::WindowDc;

int32_t Win32Platform::Width() { return GetSystemMetrics(SM_CXSCREEN); }
int32_t Win32Platform::Height() { return GetSystemMetrics(SM_CYSCREEN); }

int32_t Win32Platform::DpiX() { return GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSX); }
int32_t Win32Platform::DpiY() { return GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY); }

int32_t Win32Platform::BitsPerPixel() {
  return GetDeviceCaps(WindowDc(nullptr).get(), BITSPIXEL);
}

// The primary monitor starts at (0, 0) of the virtual screen, wherever the
// desktop's device context starts.
bool Win32Platform::SnapshotDesktop(Surface& into) { return SnapshotDesktopAt(into, 0, 0); }

bool Win32Platform::CursorPosition(int32_t& x, int32_t& y) {
  POINT pt{};
  if (!GetCursorPos(&pt)) return false;
  x = pt.x;
  y = pt.y;
  return true;
}

}  // namespace tl
