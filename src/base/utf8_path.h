#pragma once
// std::filesystem paths from and to UTF-8 text, whatever the host's code page.
#include <filesystem>
#include <string>

namespace tl {
inline std::filesystem::path PathFromUtf8(const std::string& s) {
  return std::filesystem::path(std::u8string(s.begin(), s.end()));
}
inline std::string Utf8FromPath(const std::filesystem::path& p) {
  const std::u8string u = p.u8string();
  return std::string(u.begin(), u.end());
}
}  // namespace tl
