#pragma once
// A function of a system library found at run time, so that the program
// still starts on a Windows without it (or, for libraries such as wtsapi32,
// without importing a DLL the program's checks do not allow).
#include <windows.h>

namespace tl::win32 {

// The function, or nothing. The library stays loaded for the process, as
// the system's own libraries do.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  HMODULE m = GetModuleHandleW(library);
  if (!m) m = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!m) return nullptr;
  // Through the generic function type, which any function pointer may take.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(m, name)));
}

}  // namespace tl::win32
