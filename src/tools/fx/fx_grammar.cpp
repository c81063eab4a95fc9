#include "tools/fx/fx_grammar.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace tl::fx {

namespace {

std::string Text(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

// Decimal, with a fraction or an exponent, or 0x hexadecimal; a sign first.
bool ParseNumber(std::string_view text, double& value) {
  std::string_view digits = text;
  const bool negative = !digits.empty() && digits.front() == '-';
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) digits.remove_prefix(1);
  if (digits.empty() || !(std::isdigit(static_cast<unsigned char>(digits.front())) || digits.front() == '.'))
    return false;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    int64_t whole = 0;
    const char* end = digits.data() + digits.size();
    const auto [at, ec] = std::from_chars(digits.data() + 2, end, whole, 16);
    if (ec != std::errc() || at != end) return false;
    value = negative ? -static_cast<double>(whole) : static_cast<double>(whole);
    return true;
  }
  const char* end = digits.data() + digits.size();
  const auto [at, ec] = std::from_chars(digits.data(), end, value);
  if (ec != std::errc() || at != end || !std::isfinite(value)) return false;
  if (negative) value = -value;
  return true;
}

// 1 to `most` hexadecimal digits, nothing else.
std::optional<uint32_t> Hex(std::string_view digits, size_t most) {
  uint32_t v = 0;
  if (digits.empty() || digits.size() > most) return std::nullopt;
  const auto [at, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
  if (ec != std::errc() || at != digits.data() + digits.size()) return std::nullopt;
  return v;
}

double RefFromRgb(uint32_t rgb) {
  return static_cast<double>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16 & 0xFF));
}

}  // namespace

std::string RangeOf(const Value& value) {
  return value.range.empty() ? "from " + Text(value.min) + " to " + Text(value.max) : std::string(value.range);
}

std::string Expected(const Value& value) {
  if (value.kind == ValueKind::Colour) return kColourForms;
  // A range that does not run "from" one number to another lists the values.
  const std::string range = RangeOf(value);
  if (!range.starts_with("from ")) return range;
  return (value.kind == ValueKind::Integer ? "a whole number " : "a number ") + range;
}

std::optional<double> ParseValue(const Value& value, std::string_view text, std::string& why) {
  why = Expected(value);
  if (value.kind == ValueKind::Colour) return ParseColour(text);
  const bool whole = value.kind == ValueKind::Integer;
  double v = 0;
  if (!ParseNumber(text, v) || (whole && v != std::floor(v)) || v < value.min || v > value.max)
    return std::nullopt;
  return value.toEngine ? value.toEngine(v, why) : std::optional(v);
}

std::optional<double> ParseColour(std::string_view text) {
  if (text == "back") return kBack;
  if (StartsWith(text, "#") && text.size() == 7) {
    if (const auto rgb = Hex(text.substr(1), 6)) return RefFromRgb(*rgb);
  }
  if (StartsWith(text, "0x") || StartsWith(text, "0X")) {
    if (const auto rgb = Hex(text.substr(2), 6)) return RefFromRgb(*rgb);
  }
  if (StartsWith(text, "colorref=")) {
    double v = 0;
    if (ParseNumber(text.substr(9), v) && v == std::floor(v) && v >= -2147483648.0 && v <= 4294967295.0)
      return static_cast<double>(static_cast<uint32_t>(static_cast<int64_t>(v)));
  }
  return std::nullopt;
}

std::string PartList(const Effect& effect) {
  std::string list;
  const auto add = [&](unsigned part, const char* text) {
    if ((effect.parts & part) == 0) return;
    if (!list.empty()) list += ", ";
    list += text;
  };
  add(kSampling, "nearest, bilinear");
  add(kCentre, "centre=X,Y");
  add(kFill, "fill=COLOUR");
  add(kColour, "colour=COLOUR");
  return list;
}

std::optional<Parts> ParseParts(const Effect& effect, std::string_view text, std::string& why) {
  Parts parts;
  bool sampling = false;
  for (size_t start = 0;;) {
    const size_t end = std::min(text.find(':', start), text.size());
    const std::string_view piece = text.substr(start, end - start);
    const size_t eq = piece.find('=');
    const std::string_view name = piece.substr(0, eq);
    const std::string_view given = eq == std::string_view::npos ? std::string_view() : piece.substr(eq + 1);
    const auto takes = [&](unsigned part, bool isThis) { return isThis && (effect.parts & part) != 0; };
    const auto twice = [&](bool already) {
      if (already) why = "the part " + std::string(name) + " is given twice";
      return already;
    };
    if (takes(kSampling, eq == std::string_view::npos && (name == "nearest" || name == "bilinear"))) {
      if (twice(sampling)) return std::nullopt;
      sampling = true;
      parts.bilinear = name == "bilinear";
    } else if (takes(kCentre, eq != std::string_view::npos && name == "centre")) {
      if (twice(parts.centreX.has_value())) return std::nullopt;
      const size_t comma = given.find(',');
      double x = 0, y = 0;
      if (comma == std::string_view::npos || !ParseNumber(given.substr(0, comma), x) ||
          !ParseNumber(given.substr(comma + 1), y) || std::fabs(x) > 1e9 || std::fabs(y) > 1e9) {
        why = "centre='" + std::string(given) + "' must be two numbers X,Y: pixels from the left and the top edge";
        return std::nullopt;
      }
      parts.centreX = x;
      parts.centreY = y;
    } else if (takes(kFill, eq != std::string_view::npos && name == "fill") ||
               takes(kColour, eq != std::string_view::npos && name == "colour")) {
      std::optional<double>& slot = name == "fill" ? parts.fill : parts.colour;
      if (twice(slot.has_value())) return std::nullopt;
      slot = ParseColour(given);
      if (!slot) {
        why = std::string(name) + "='" + std::string(given) + "' must be " + kColourForms;
        return std::nullopt;
      }
    } else {
      why = piece.empty() ? std::string("an empty part (two colons, or one at the end)")
                          : "unknown part '" + std::string(piece) + "'";
      why += effect.parts == 0 ? "; it takes no parts" : "; it takes " + PartList(effect);
      return std::nullopt;
    }
    if (end == text.size()) return parts;
    start = end + 1;
  }
}

}  // namespace tl::fx
