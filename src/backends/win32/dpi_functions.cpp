#include "backends/win32/dpi_functions.h"

#include "backends/win32/gdi_handles.h"

namespace tl::win32 {

namespace {

// A function of a system library, or nothing. The library stays loaded for
// the process, as the system's own libraries do.
template <typename Function>
Function Find(const wchar_t* library, const char* name) {
  HMODULE m = GetModuleHandleW(library);
  if (!m) m = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!m) return nullptr;
  // Through the generic function type, which any function pointer may take.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(m, name)));
}

using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

}  // namespace

void MonitorDpi(HMONITOR monitor, int32_t& dpiX, int32_t& dpiY) {
  static const auto getDpi = Find<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
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
      Find<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (adjust && dpi > 0) return adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE;
  return AdjustWindowRectEx(&r, style, FALSE, exStyle) != FALSE;
}

}  // namespace tl::win32
