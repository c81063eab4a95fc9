#include <windows.h>

#include "backends/win32/wide_text.h"

#include "base/cp932.h"

namespace tl {

namespace {

using win32::Narrow;
using win32::Wide;

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
