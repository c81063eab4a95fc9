#include "startup/xscreensaver_file.h"

#include <vector>

namespace tl {

namespace {

constexpr std::string_view kBlank = " \t";

struct Line {
  size_t begin, end, next;  // the text without its '\n', and where the next line begins
};

std::vector<Line> Lines(std::string_view text) {
  std::vector<Line> lines;
  for (size_t at = 0; at < text.size();) {
    const size_t nl = text.find('\n', at);
    const size_t end = nl == std::string_view::npos ? text.size() : nl;
    lines.push_back({at, end, nl == std::string_view::npos ? end : nl + 1});
    at = lines.back().next;
  }
  return lines;
}

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlank) - first + 1);
}

// A resource's value: from after "key:" on its first line to the first line
// that does not end in a backslash (the last line of the file otherwise).
struct Value {
  size_t keyLine, lastLine, begin;
};

std::optional<Value> FindValue(std::string_view text, const std::vector<Line>& lines, std::string_view key) {
  bool continued = false;  // the line before ended in a backslash: this one is part of its value
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = text.substr(lines[i].begin, lines[i].end - lines[i].begin);
    const bool wasContinued = continued;
    continued = line.ends_with('\\');
    if (wasContinued) continue;
    size_t at = line.find_first_not_of(kBlank);
    if (at == std::string_view::npos || line.substr(at, key.size()) != key) continue;
    at = line.find_first_not_of(kBlank, at + key.size());
    if (at == std::string_view::npos || line[at] != ':') continue;
    size_t last = i;
    while (last + 1 < lines.size() && text.substr(lines[last].begin, lines[last].end - lines[last].begin).ends_with('\\'))
      ++last;
    return Value{i, last, lines[i].begin + at + 1};
  }
  return std::nullopt;
}

// The entries' program names and whether each is switched on: the value
// joined across its lines and split at each "\n" written as two characters.
struct Entry {
  std::string program;  // the command's first word, without its folder
  bool on = true;
};

Entry ParseEntry(std::string_view s) {
  Entry e;
  s = Trim(s);
  if (s.starts_with('-')) {
    e.on = false;
    s = Trim(s.substr(1));
  }
  // A visual ("GL:") and a name in quotes may come before the command.
  if (const size_t end = s.find_first_of(kBlank); end != std::string_view::npos && s.substr(0, end).ends_with(':'))
    s = Trim(s.substr(end));
  if (s.starts_with('"')) {
    const size_t close = s.find('"', 1);
    s = close == std::string_view::npos ? std::string_view() : Trim(s.substr(close + 1));
  }
  // The program: its first word, which quotes may hold blanks in.
  std::string_view word = s.substr(0, s.find_first_of(kBlank));
  if (s.starts_with('\'') || s.starts_with('"')) word = s.substr(1, s.find(s.front(), 1) - 1);
  if (const size_t slash = word.rfind('/'); slash != std::string_view::npos) word.remove_prefix(slash + 1);
  e.program = std::string(word);
  return e;
}

std::vector<Entry> Entries(std::string_view text, const std::vector<Line>& lines, const Value& v) {
  std::string joined;
  for (size_t i = v.keyLine; i <= v.lastLine; ++i) {
    const size_t begin = i == v.keyLine ? v.begin : lines[i].begin;
    std::string_view part = text.substr(begin, lines[i].end - begin);
    if (part.ends_with('\\')) part.remove_suffix(1);
    joined += part;
  }
  std::vector<Entry> entries;
  for (size_t at = 0; at <= joined.size();) {
    size_t end = joined.find("\\n", at);
    if (end == std::string::npos) end = joined.size();
    if (Entry e = ParseEntry(std::string_view(joined).substr(at, end - at)); !e.program.empty())
      entries.push_back(std::move(e));
    at = end + 2;
  }
  return entries;
}

// The value with `command` as its last entry, written as xscreensaver
// writes entries; only the value's last line may gain characters at its end.
std::string InsertLast(std::string text, std::string_view command) {
  const std::vector<Line> lines = Lines(text);
  const std::optional<Value> found = FindValue(text, lines, "programs");
  const Value& v = *found;
  const Line& last = lines[v.lastLine];
  const std::string entry = HackListLine(command);
  const size_t from = v.lastLine == v.keyLine ? v.begin : last.begin;
  const std::string_view tail = std::string_view(text).substr(from, last.end - from);
  const bool atEnd = last.next == last.end;  // the file ends without a line end
  if (tail.ends_with('\\')) {
    // The value runs to the end of the file.
    text.insert(last.next, (atEnd ? "\n" : "") + entry + "\n");
  } else if (v.lastLine != v.keyLine && Trim(tail).empty()) {
    // xscreensaver's own form: a blank line ends the list.
    text.insert(last.begin, entry);
  } else {
    // The last entry (or the key) ends the value: continue it.
    const std::string_view value = Trim(tail);
    const std::string join = value.empty() || value.ends_with("\\n") ? "\\\n" : "\\n\\\n";
    text.insert(last.end, join + entry + (atEnd ? "\n" : ""));
  }
  return text;
}

// A programs list the user never wrote: xscreensaver's default one.
std::string DefaultList(const std::optional<std::string>& defaults) {
  if (defaults) {
    const std::vector<Line> lines = Lines(*defaults);
    if (const std::optional<Value> v = FindValue(*defaults, lines, "*programs")) {
      std::string list = "programs:" + defaults->substr(v->begin, lines[v->lastLine].next - v->begin);
      if (!list.ends_with('\n')) list += '\n';
      return list;
    }
  }
  return "programs:\n";
}

}  // namespace

std::string HackListLine(std::string_view command) {
  std::string line = "\t\t\t\t" + std::string(command);
  size_t column = 32 + command.size();
  do {
    line += '\t';
    column = (column / 8 + 1) * 8;
  } while (column < 72);
  return line + "    \\n\\\n";
}

HackListEdit AddToHackList(const std::optional<std::string>& file, const std::optional<std::string>& defaults,
                           std::string_view command) {
  const std::string program = ParseEntry(command).program;
  if (!file) {
    return {HackListOutcome::Created,
            "# XScreenSaver Preferences File\n"
            "# Written by tidelight --add-to-xscreensaver: xscreensaver's list of hacks, and tidelight.\n\n" +
                InsertLast(DefaultList(defaults), command)};
  }
  const std::vector<Line> lines = Lines(*file);
  const std::optional<Value> v = FindValue(*file, lines, "programs");
  if (!v) {
    // No list of the user's: xscreensaver's default one, at the end.
    std::string text = *file;
    if (!text.empty() && !text.ends_with('\n')) text += '\n';
    return {HackListOutcome::Added, text + "\n" + InsertLast(DefaultList(defaults), command)};
  }
  for (const Entry& e : Entries(*file, lines, *v))
    if (e.program == program) return {e.on ? HackListOutcome::Listed : HackListOutcome::ListedSwitchedOff, {}};
  return {HackListOutcome::Added, InsertLast(*file, command)};
}

}  // namespace tl
