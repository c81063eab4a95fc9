#pragma once
// The size of the pointers over a window: the user's choice in the
// accessibility settings (HKCU\Control Panel\Cursors, CursorBaseSize) at the
// window's resolution, through the rule of PointerSize.
#include <windows.h>

#include <cstdint>

namespace tl::win32 {

int32_t UserPointerSize(HWND w);

}  // namespace tl::win32
