// The primary screen of the win32 back end.
#include <windows.h>

#include <cstring>

#include "backends/win32/gdi_handles.h"
#include "backends/win32/win32_platform.h"

namespace tl {

using win32::DibSection;
using win32::WindowDc;

int32_t Win32Platform::Width() { return GetSystemMetrics(SM_CXSCREEN); }
int32_t Win32Platform::Height() { return GetSystemMetrics(SM_CYSCREEN); }

int32_t Win32Platform::DpiX() { return GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSX); }
int32_t Win32Platform::DpiY() { return GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY); }

int32_t Win32Platform::BitsPerPixel() {
  return GetDeviceCaps(WindowDc(nullptr).get(), BITSPIXEL);
}

bool Win32Platform::SnapshotDesktop(Surface& into) {
  DibSection copy(into.Width(), into.Height());
  if (!copy.ok()) return false;
  BOOL ok;
  {
    const auto desktop = WindowDc(GetDesktopWindow());
    ok = ::BitBlt(copy.dc(), 0, 0, into.Width(), into.Height(), desktop.get(), 0, 0, SRCCOPY);
  }
  GdiFlush();
  if (!ok) return false;
  std::memcpy(into.Data(), copy.bits(), into.ByteSize());
  return true;
}

bool Win32Platform::CursorPosition(int32_t& x, int32_t& y) {
  POINT pt{};
  if (!GetCursorPos(&pt)) return false;
  x = pt.x;
  y = pt.y;
  return true;
}

}  // namespace tl
