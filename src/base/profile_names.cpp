#include "base/profile_names.h"

#include "base/cp932.h"
#include "base/cp932_chars.h"
#include "base/utf8_chars.h"

namespace tl {

char32_t FoldCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 0x20;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;                 // full-width A-Z
  if (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) return c + 0x20;  // Greek
  if (c >= 0x0410 && c <= 0x042F) return c + 0x20;                 // Cyrillic
  if (c >= 0x0400 && c <= 0x040F) return c + 0x50;                 // Cyrillic with marks
  if (c >= 0x2160 && c <= 0x216F) return c + 0x10;                 // Roman numerals
  return c;
}

namespace {

// The code point of one double-byte character; 0 when it is none. Two
// different byte pairs can name the same character (code page 932 holds
// some characters twice), which the code point makes equal.
char32_t DoubleByteChar(std::string_view pair) {
  const auto utf8 = Cp932ToUtf8(pair);
  if (!utf8 || Utf8CharSize(*utf8, 0) != utf8->size()) return 0;
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
      if (FoldCase(static_cast<uint8_t>(ca[0])) != FoldCase(static_cast<uint8_t>(cb[0]))) return false;
      continue;
    }
    const char32_t x = DoubleByteChar(ca), y = DoubleByteChar(cb);
    if (x == 0 || y == 0 || FoldCase(x) != FoldCase(y)) return false;
  }
  return true;
}

}  // namespace tl
