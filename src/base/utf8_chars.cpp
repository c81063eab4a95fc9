#include "base/utf8_chars.h"

#include <cstdint>

namespace tl {

namespace {

bool IsContinuation(std::string_view t, size_t i, uint8_t lo = 0x80, uint8_t hi = 0xBF) {
  if (i >= t.size()) return false;
  const auto c = static_cast<uint8_t>(t[i]);
  return c >= lo && c <= hi;
}

}  // namespace

size_t Utf8CharSize(std::string_view t, size_t at) {
  if (at >= t.size()) return 0;
  const auto c = static_cast<uint8_t>(t[at]);
  if (c < 0x80) return 1;
  // The second byte's range rules out overlong forms and surrogates.
  if (c >= 0xC2 && c <= 0xDF) return IsContinuation(t, at + 1) ? 2 : 1;
  if (c >= 0xE0 && c <= 0xEF) {
    const uint8_t lo = c == 0xE0 ? 0xA0 : 0x80, hi = c == 0xED ? 0x9F : 0xBF;
    return IsContinuation(t, at + 1, lo, hi) && IsContinuation(t, at + 2) ? 3 : 1;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    const uint8_t lo = c == 0xF0 ? 0x90 : 0x80, hi = c == 0xF4 ? 0x8F : 0xBF;
    return IsContinuation(t, at + 1, lo, hi) && IsContinuation(t, at + 2) &&
                   IsContinuation(t, at + 3)
               ? 4
               : 1;
  }
  return 1;
}

char32_t Utf8CharValue(std::string_view t, size_t at) {
  const size_t n = Utf8CharSize(t, at);
  if (n == 0) return 0;
  const auto c = static_cast<uint8_t>(t[at]);
  if (n == 1) return c;
  char32_t v = c & (0xFF >> (n + 1));
  for (size_t i = 1; i < n; ++i) v = (v << 6) | (static_cast<uint8_t>(t[at + i]) & 0x3F);
  return v;
}

std::string_view Utf8DropChars(std::string_view t, size_t count) {
  size_t at = 0;
  for (; count > 0 && at < t.size(); --count) at += Utf8CharSize(t, at);
  return t.substr(at);
}

std::string_view Utf8CharAt(std::string_view t, size_t index) {
  const std::string_view rest = Utf8DropChars(t, index);
  return rest.substr(0, Utf8CharSize(rest, 0));
}

size_t Utf16Length(std::string_view t) {
  size_t units = 0;
  for (size_t at = 0; at < t.size();) {
    const size_t n = Utf8CharSize(t, at);
    units += n == 4 ? 2 : 1;  // beyond the first 65,536 code points: a surrogate pair
    at += n;
  }
  return units;
}

}  // namespace tl
