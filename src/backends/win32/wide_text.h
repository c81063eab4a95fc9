#pragma once
// UTF-16 text for the W functions, from and to UTF-8 or another code page.
#include <windows.h>

#include <string>
#include <string_view>

namespace tl::win32 {

inline std::wstring Wide(std::string_view s, UINT cp = CP_UTF8, DWORD flags = 0) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

inline std::string Narrow(std::wstring_view w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return {};
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace tl::win32
