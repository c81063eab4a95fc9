#include "base/numeric.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>

namespace tl {

double RoundHalfEven(double v) {
  // nearbyint follows the current rounding mode, which we never change from
  // the default round-to-nearest-even; compute it explicitly to be safe.
  const double f = std::floor(v);
  const double diff = v - f;
  if (diff > 0.5) return f + 1.0;
  if (diff < 0.5) return f;
  return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

std::optional<int16_t> FloorToInt16(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double f = std::floor(v);
  if (f < INT16_MIN || f > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(f);
}

std::optional<int32_t> RoundToInt32(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double r = RoundHalfEven(v);
  if (r < INT32_MIN || r > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(r);
}

std::optional<int16_t> RoundToInt16(double v) {
  if (!std::isfinite(v)) return std::nullopt;
  const double r = RoundHalfEven(v);
  if (r < INT16_MIN || r > INT16_MAX) return std::nullopt;
  return static_cast<int16_t>(r);
}

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<double> ParseNumberText(std::string_view t) {
  size_t i = 0, n = t.size();
  while (i < n && IsBlank(t[i])) ++i;
  while (n > i && IsBlank(t[n - 1])) --n;
  std::string body;
  if (i < n && (t[i] == '+' || t[i] == '-')) body += t[i++];
  while (i < n && IsBlank(t[i])) ++i;  // "- 3" is still a number
  size_t digits = 0;
  while (i < n && IsDigit(t[i])) { body += t[i++]; ++digits; }
  if (i < n && t[i] == '.') {
    body += t[i++];
    while (i < n && IsDigit(t[i])) { body += t[i++]; ++digits; }
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    body += 'e';
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) body += t[i++];
    size_t exp = 0;
    while (i < n && IsDigit(t[i])) { body += t[i++]; ++exp; }
    if (exp == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  return std::strtod(body.c_str(), nullptr);
}

double ReadLeadingNumber(std::string_view t) {
  std::string body;
  size_t i = 0;
  auto skip = [&] { while (i < t.size() && (IsBlank(t[i]) || t[i] == '\n' || t[i] == '\r')) ++i; };
  skip();
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) body += t[i++];
  bool any = false, point = false;
  for (;;) {
    skip();
    if (i >= t.size()) break;
    if (IsDigit(t[i])) { body += t[i++]; any = true; continue; }
    if (t[i] == '.' && !point) { body += t[i++]; point = true; continue; }
    break;
  }
  if (!any) return 0.0;
  return std::strtod(body.c_str(), nullptr);
}

std::string FormatWithSignPosition(int64_t v) {
  return (v >= 0 ? " " : "") + std::to_string(v);
}

std::string FormatHashHash(int64_t v) {
  if (v == 0) return "";
  return std::to_string(v);
}

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace tl
