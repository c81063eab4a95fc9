#include "backends/win32/dpi_functions.h"

#include "backends/win32/gdi_handles.h"
#include "backends/win32/system_function.h"

namespace tl::win32 {

namespace {

using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

void MonitorDpi(HMONITOR monitor, int32_t& dpiX, int32_t& dpiY) {
  static const auto getDpi = SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (getDpi && monitor && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &x, &y)) && x && y) {
    dpiX = static_cast<int32_t>(x);
    dpiY = static_cast<int32_t>(y);
    return;
  }
  const auto screen = WindowDc(nullptr);
  dpiX = GetDeviceCaps(screen.get(), LOGPIXELSX);
  dpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
}

int32_t DpiAt(const RECT& r) {
  int32_t x = 96, y = 96;
  MonitorDpi(MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), x, y);
  return y;
}

bool AdjustForDpi(RECT& r, DWORD style, DWORD exStyle, int32_t dpi) {
  static const auto adjust =
      SystemFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (adjust && dpi > 0) return adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE;
  return AdjustWindowRectEx(&r, style, FALSE, exStyle) != FALSE;
}

int32_t WindowDpi(HWND w) {
  static const auto forWindow = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (const UINT dpi = forWindow && w ? forWindow(w) : 0) return static_cast<int32_t>(dpi);
  RECT r{};
  if (w) GetWindowRect(w, &r);
  return DpiAt(r);
}

int32_t SystemMetricAtDpi(int index, int32_t dpi) {
  static const auto atDpi =
      SystemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  if (atDpi && dpi > 0) return atDpi(index, static_cast<UINT>(dpi));
  return GetSystemMetrics(index);
}

}  // namespace tl::win32
