#pragma once
// The resolution functions of newer Windows (8.1 and 10), found at run time
// so that the program still starts where they are missing; each answer
// falls back to the system-wide figures there.
#include <windows.h>

#include <cstdint>

namespace tl::win32 {

// A monitor's own resolution (GetDpiForMonitor, effective); the system's
// where the function is missing.
void MonitorDpi(HMONITOR monitor, int32_t& dpiX, int32_t& dpiY);
// The resolution of the monitor holding most of `r`.
int32_t DpiAt(const RECT& r);
// AdjustWindowRectExForDpi; AdjustWindowRectEx where it is missing.
bool AdjustForDpi(RECT& r, DWORD style, DWORD exStyle, int32_t dpi);
// A window's resolution (GetDpiForWindow); its monitor's where missing.
int32_t WindowDpi(HWND w);
// GetSystemMetricsForDpi; GetSystemMetrics where it is missing.
int32_t SystemMetricAtDpi(int index, int32_t dpi);

}  // namespace tl::win32
