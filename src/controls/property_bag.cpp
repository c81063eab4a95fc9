#include "controls/property_bag.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace tl {

namespace {

bool SameKey(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool KeyChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::string Quote(std::string_view s) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7F) {
      out += "\\x";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out + '"';
}

std::optional<std::string> Unquote(std::string_view s) {
  if (s.size() < 2 || s.front() != '"' || s.back() != '"') return std::nullopt;
  s = s.substr(1, s.size() - 2);
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '"') return std::nullopt;
    if (s[i] != '\\') {
      out += s[i];
      continue;
    }
    if (++i >= s.size()) return std::nullopt;
    switch (s[i]) {
      case '"': case '\\': out += s[i]; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'x': {
        unsigned v = 0;
        if (i + 2 >= s.size()) return std::nullopt;
        const auto r = std::from_chars(s.data() + i + 1, s.data() + i + 3, v, 16);
        if (r.ptr != s.data() + i + 3) return std::nullopt;
        out += static_cast<char>(v);
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return out;
}

std::string Number(double d) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, d);
  std::string s(buf, r.ptr);
  // Always looks like a number with a fraction, so it reads back as one.
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
  return s;
}

std::string ValueText(const PropertyValue& v) {
  if (const bool* b = std::get_if<bool>(&v)) return *b ? "True" : "False";
  if (const int64_t* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
  if (const double* d = std::get_if<double>(&v)) return Number(*d);
  return Quote(std::get<std::string>(v));
}

std::optional<PropertyValue> ParseValue(std::string_view s) {
  if (s == "True") return PropertyValue(true);
  if (s == "False") return PropertyValue(false);
  if (!s.empty() && s.front() == '"') {
    auto text = Unquote(s);
    if (!text) return std::nullopt;
    return PropertyValue(std::move(*text));
  }
  int64_t i = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), i);
  if (r.ec == std::errc() && r.ptr == s.data() + s.size()) return PropertyValue(i);
  double d = 0;
  r = std::from_chars(s.data(), s.data() + s.size(), d);
  if (r.ec == std::errc() && r.ptr == s.data() + s.size() && !s.empty()) return PropertyValue(d);
  return std::nullopt;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Sets one member of a font from its stored value; false when it does not fit.
bool SetFontMember(Font& f, std::string_view member, const PropertyValue& v) {
  if (SameKey(member, "Name")) {
    const auto* s = std::get_if<std::string>(&v);
    if (s) f.name = *s;
    return s != nullptr;
  }
  if (SameKey(member, "Size")) {
    if (const auto* d = std::get_if<double>(&v)) return std::isfinite(*d) ? (f.size = *d, true) : false;
    if (const auto* i = std::get_if<int64_t>(&v)) return f.size = double(*i), true;
    return false;
  }
  const auto* i = std::get_if<int64_t>(&v);
  const auto* b = std::get_if<bool>(&v);
  if (SameKey(member, "Weight") && i && *i >= 0 && *i <= 1000) return f.weight = int16_t(*i), true;
  if (SameKey(member, "Charset") && i && *i >= 0 && *i <= 255) return f.charset = uint8_t(*i), true;
  if (SameKey(member, "Italic") && b) return f.italic = *b, true;
  if (SameKey(member, "Underline") && b) return f.underline = *b, true;
  if (SameKey(member, "Strikethrough") && b) return f.strikethrough = *b, true;
  return false;
}

}  // namespace

PropertyBag::PropertyBag(std::initializer_list<Entry> entries) {
  for (const Entry& e : entries) Write(e.first, e.second);
}

void PropertyBag::Write(std::string_view key, PropertyValue value) {
  for (Entry& e : entries_)
    if (SameKey(e.first, key)) {
      e.second = std::move(value);
      return;
    }
  entries_.emplace_back(std::string(key), std::move(value));
}

void PropertyBag::Remove(std::string_view key) {
  std::erase_if(entries_, [&](const Entry& e) { return SameKey(e.first, key); });
}

const PropertyValue* PropertyBag::Read(std::string_view key) const {
  for (const Entry& e : entries_)
    if (SameKey(e.first, key)) return &e.second;
  return nullptr;
}

std::string PropertyBag::ToText() const {
  std::string out;
  for (const auto& [key, value] : entries_) {
    if (const Font* f = std::get_if<Font>(&value)) {
      out += key + ".Name = " + Quote(f->name) + "\n";
      out += key + ".Size = " + Number(f->size) + "\n";
      out += key + ".Weight = " + std::to_string(f->weight) + "\n";
      out += key + ".Charset = " + std::to_string(f->charset) + "\n";
      out += key + ".Italic = " + ValueText(f->italic) + "\n";
      out += key + ".Underline = " + ValueText(f->underline) + "\n";
      out += key + ".Strikethrough = " + ValueText(f->strikethrough) + "\n";
      continue;
    }
    out += key + " = " + ValueText(value) + "\n";
  }
  return out;
}

PropertyBag PropertyBag::FromText(std::string_view text) {
  PropertyBag bag;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view name = Trim(line.substr(0, eq));
    const auto value = ParseValue(Trim(line.substr(eq + 1)));
    const size_t dot = name.find('.');
    const std::string_view key = name.substr(0, dot);
    if (!value || key.empty() || !std::all_of(key.begin(), key.end(), KeyChar)) continue;
    if (dot == std::string_view::npos) {
      bag.Write(key, *value);
      continue;
    }
    // A font member: joins the font of that key, made when its first member comes.
    const PropertyValue* existing = bag.Read(key);
    Font f = existing && std::holds_alternative<Font>(*existing) ? std::get<Font>(*existing) : Font{};
    if (SetFontMember(f, name.substr(dot + 1), *value)) bag.Write(key, f);
  }
  return bag;
}

std::optional<bool> AsBoolean(const PropertyValue& v) {
  if (const bool* b = std::get_if<bool>(&v)) return *b;
  if (const int64_t* i = std::get_if<int64_t>(&v)) return *i != 0;
  if (const double* d = std::get_if<double>(&v)) return std::isnan(*d) ? std::nullopt : std::optional(*d != 0);
  if (const std::string* s = std::get_if<std::string>(&v)) {
    if (SameKey(*s, "True")) return true;
    if (SameKey(*s, "False")) return false;
    if (auto n = ParseValue(Trim(*s)); n && !std::holds_alternative<std::string>(*n)) return AsBoolean(*n);
  }
  return std::nullopt;
}

std::optional<int64_t> AsInteger(const PropertyValue& v) {
  if (const bool* b = std::get_if<bool>(&v)) return *b ? -1 : 0;
  if (const int64_t* i = std::get_if<int64_t>(&v)) return *i;
  if (const double* d = std::get_if<double>(&v)) {
    // Halves to even, as the toolkit's conversions round.
    if (!std::isfinite(*d) || std::fabs(*d) > 9.0e18) return std::nullopt;
    return static_cast<int64_t>(std::nearbyint(*d));
  }
  if (const std::string* s = std::get_if<std::string>(&v))
    if (auto n = ParseValue(Trim(*s)); n && !std::holds_alternative<std::string>(*n)) return AsInteger(*n);
  return std::nullopt;
}

std::optional<std::string> AsText(const PropertyValue& v) {
  if (const std::string* s = std::get_if<std::string>(&v)) return *s;
  if (const Font* f = std::get_if<Font>(&v)) return f->name;
  return ValueText(v);
}

}  // namespace tl
