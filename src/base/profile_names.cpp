#include "base/profile_names.h"

#include <cstdint>

#include "base/cp932.h"
#include "base/cp932_chars.h"
#include "base/utf8_chars.h"

namespace tl {

namespace {

uint8_t LowerAscii(char c) {
  const auto b = static_cast<uint8_t>(c);
  return b >= 'A' && b <= 'Z' ? static_cast<uint8_t>(b + 0x20) : b;
}

// The code point of one double-byte character; 0 when it is none.
char32_t DoubleByteChar(std::string_view pair) {
  const auto utf8 = Cp932ToUtf8(pair);
  if (!utf8 || utf8->empty() || Utf8CharSize(*utf8, 0) != utf8->size()) return 0;
  return Utf8CharValue(*utf8, 0);
}

}  // namespace

bool SameProfileName(std::string_view a, std::string_view b) {
  // A single-byte character never names the same character as a double-byte
  // one, so equal names have equal lengths and characters of equal sizes.
  if (a.size() != b.size()) return false;
  for (size_t at = 0; at < a.size();) {
    const size_t n = Cp932CharSize(a, at);
    if (Cp932CharSize(b, at) != n) return false;
    const std::string_view ca = a.substr(at, n), cb = b.substr(at, n);
    at += n;
    if (ca == cb) continue;
    if (n == 1) {
      if (LowerAscii(ca[0]) != LowerAscii(cb[0])) return false;
      continue;
    }
    const char32_t x = DoubleByteChar(ca);
    if (x == 0 || x != DoubleByteChar(cb)) return false;
  }
  return true;
}

}  // namespace tl
