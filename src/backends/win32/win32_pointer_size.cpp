#include "backends/win32/win32_pointer_size.h"

#include "backends/win32/dpi_functions.h"
#include "toolkit/pointer_picture.h"

namespace tl::win32 {

int32_t UserPointerSize(HWND w) {
  DWORD chosen = 0, size = sizeof chosen, type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Cursors", 0, KEY_QUERY_VALUE, &key) ==
      ERROR_SUCCESS) {
    if (RegQueryValueExW(key, L"CursorBaseSize", nullptr, &type, reinterpret_cast<BYTE*>(&chosen),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof chosen)
      chosen = 0;  // none chosen
    RegCloseKey(key);
  }
  const int32_t dpi = WindowDpi(w);
  return PointerSize(static_cast<int32_t>(chosen), SystemMetricAtDpi(SM_CXCURSOR, dpi), dpi);
}

}  // namespace tl::win32
