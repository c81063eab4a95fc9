// The monitors of the win32 back end: EnumDisplayMonitors, each monitor's
// own resolution, and the desktop copied from any point of the virtual
// screen.
#include <windows.h>

#include <cstring>

#include "backends/win32/dpi_functions.h"
#include "backends/win32/gdi_handles.h"
#include "backends/win32/win32_platform.h"

namespace tl {

using win32::DibSection;
using win32::WindowDc;

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  Monitor m;
  m.rect = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
  m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  // The display's device name (\\.\DISPLAY2) stays with it while it is
  // attached, whichever one is primary: its FNV-1a hash tells the layouts
  // before and after a change which monitor is which.
  m.id = 14695981039346656037ull;
  for (const wchar_t* c = info.szDevice; *c; ++c)
    m.id = (m.id ^ static_cast<uint16_t>(*c)) * 1099511628211ull;
  win32::MonitorDpi(monitor, m.dpiX, m.dpiY);
  reinterpret_cast<std::vector<Monitor>*>(list)->push_back(m);
  return TRUE;
}

}  // namespace

std::vector<Monitor> Win32Platform::Monitors() {
  std::vector<Monitor> list;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
  return list;
}

bool Win32Platform::SnapshotDesktopAt(Surface& into, int32_t x, int32_t y) {
  DibSection copy(into.Width(), into.Height());
  if (!copy.ok()) return false;
  BOOL ok;
  {
    // The screen's device context covers the whole virtual screen; layered
    // windows are copied too (CAPTUREBLT).
    const auto screen = WindowDc(nullptr);
    // It may start at the virtual screen's corner rather than at the
    // primary monitor's (Wine's does): ask where it starts.
    POINT origin{};
    GetDCOrgEx(screen.get(), &origin);
    ok = ::BitBlt(copy.dc(), 0, 0, into.Width(), into.Height(), screen.get(), x - origin.x,
                  y - origin.y, SRCCOPY | CAPTUREBLT);
  }
  GdiFlush();
  if (!ok) return false;
  std::memcpy(into.Data(), copy.bits(), into.ByteSize());
  return true;
}

}  // namespace tl
