#include "base/profile.h"

#include <algorithm>

#include "base/cp932_chars.h"
#include "base/profile_names.h"

namespace tl {

namespace {

struct Line {
  size_t begin, end, next;  // [begin, end) is the text, next starts the following line
};

std::vector<Line> SplitLines(const Bytes& f) {
  std::vector<Line> lines;
  size_t i = 0;
  while (i < f.size()) {
    size_t e = i;
    while (e < f.size() && f[e] != '\n' && f[e] != '\r') ++e;
    size_t n = e;
    if (n < f.size() && f[n] == '\r') ++n;
    if (n < f.size() && f[n] == '\n') ++n;
    lines.push_back({i, e, n});
    i = n;
  }
  return lines;
}

bool IsSpace(uint8_t c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(static_cast<uint8_t>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && IsSpace(static_cast<uint8_t>(s.back()))) s.remove_suffix(1);
  return s;
}

std::string_view Text(const Bytes& f, const Line& l) {
  return {reinterpret_cast<const char*>(f.data()) + l.begin, l.end - l.begin};
}

// The section's name when the line is a section header.
bool SectionName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  const size_t close = Cp932Find(line, ']');
  name = Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
  return true;
}

bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(line.substr(0, eq));
  value = Trim(line.substr(eq + 1));
  return true;
}

// Index range of the section's body lines: [first, last) with first the
// header's index + 1; npos when the section is missing.
bool FindSection(const Bytes& f, const std::vector<Line>& lines, std::string_view section,
                 size_t& header, size_t& end) {
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view name;
    if (!SectionName(Text(f, lines[i]), name) || !SameProfileName(name, section)) continue;
    header = i;
    end = i + 1;
    while (end < lines.size() && !SectionName(Text(f, lines[end]), name)) ++end;
    return true;
  }
  return false;
}

void Append(Bytes& out, std::string_view s) { out.insert(out.end(), s.begin(), s.end()); }

}  // namespace

std::string ProfileRead(const Bytes& f, std::string_view section, std::string_view key,
                        size_t bufferSize) {
  if (bufferSize == 0) return "";
  const auto lines = SplitLines(f);
  size_t header, end;
  if (!FindSection(f, lines, section, header, end)) return "";
  for (size_t i = header + 1; i < end; ++i) {
    std::string_view k, v;
    if (!KeyValue(Text(f, lines[i]), k, v) || !SameProfileName(k, key)) continue;
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    // The reader's buffer takes whole characters only.
    std::string out(Cp932FitBytes(v, bufferSize - 1));
    // A value stops at an embedded NUL as the reader's buffer would.
    if (const size_t nul = out.find('\0'); nul != std::string::npos) out.resize(nul);
    return out;
  }
  return "";
}

Bytes ProfileWrite(const Bytes& f, std::string_view section, std::string_view key,
                   std::string_view value) {
  const auto lines = SplitLines(f);
  std::string entry(key);
  entry += '=';
  entry += value;
  Bytes out;
  size_t header, end;
  if (!FindSection(f, lines, section, header, end)) {
    out = f;
    if (!out.empty() && out.back() != '\n') Append(out, "\r\n");
    if (!out.empty()) Append(out, "\r\n");
    Append(out, "[");
    Append(out, section);
    Append(out, "]\r\n");
    Append(out, entry);
    Append(out, "\r\n");
    return out;
  }
  size_t replace = lines.size(), insertAfter = header;
  for (size_t i = header + 1; i < end; ++i) {
    std::string_view k, v;
    const auto t = Text(f, lines[i]);
    if (!Trim(t).empty()) insertAfter = i;
    if (KeyValue(t, k, v) && SameProfileName(k, key)) { replace = i; break; }
  }
  if (replace != lines.size()) {
    // The stored name keeps its spelling; only the value changes.
    std::string_view k, v;
    KeyValue(Text(f, lines[replace]), k, v);
    out.assign(f.begin(), f.begin() + static_cast<long>(lines[replace].begin));
    Append(out, k);
    Append(out, "=");
    Append(out, value);
    out.insert(out.end(), f.begin() + static_cast<long>(lines[replace].end), f.end());
    return out;
  }
  const Line& after = lines[insertAfter];
  out.assign(f.begin(), f.begin() + static_cast<long>(after.next));
  if (after.next == after.end) Append(out, "\r\n");  // last line had no line end
  Append(out, entry);
  Append(out, "\r\n");
  out.insert(out.end(), f.begin() + static_cast<long>(after.next), f.end());
  return out;
}

}  // namespace tl
