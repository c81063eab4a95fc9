#include "base/cp932_chars.h"

namespace tl {

bool IsCp932LeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

size_t Cp932CharSize(std::string_view s, size_t at) {
  if (at >= s.size()) return 0;
  return IsCp932LeadByte(static_cast<uint8_t>(s[at])) && at + 1 < s.size() ? 2 : 1;
}

size_t Cp932Find(std::string_view s, char c) {
  for (size_t at = 0; at < s.size(); at += Cp932CharSize(s, at))
    if (s[at] == c && Cp932CharSize(s, at) == 1) return at;
  return std::string_view::npos;
}

std::string_view Cp932FirstChars(std::string_view s, size_t count) {
  size_t at = 0;
  for (; count > 0 && at < s.size(); --count) at += Cp932CharSize(s, at);
  return s.substr(0, at);
}

std::string_view Cp932FitBytes(std::string_view s, size_t maxBytes) {
  size_t at = 0;
  while (at < s.size() && at + Cp932CharSize(s, at) <= maxBytes) at += Cp932CharSize(s, at);
  return s.substr(0, at);
}

}  // namespace tl
