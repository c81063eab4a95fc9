#include <windows.h>

#include "toolkit/cp932.h"

namespace tl {

namespace {

std::wstring Wide(std::string_view s, UINT cp, DWORD flags) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string Narrow(std::wstring_view w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                    nullptr, nullptr);
  if (n <= 0) return {};
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  const std::wstring w = Wide(utf8, CP_UTF8, 0);
  if (w.empty()) return std::string();
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()),
                                    nullptr, 0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), s.data(), n,
                      nullptr, nullptr);
  return s;
}

std::optional<std::string> Cp932ToUtf8(std::string_view bytes) {
  if (bytes.empty()) return std::string();
  const std::wstring w = Wide(bytes, 932, MB_ERR_INVALID_CHARS);
  if (w.empty()) return std::nullopt;
  return Narrow(w);
}

}  // namespace tl
