#include "shared/command_line.h"

#include "base/numeric.h"
#include "base/utf8_chars.h"

namespace tl {

std::string_view ArgumentsAfterProgramPath(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && s[i] == '"') {
    // A quoted path ends at the closing quote (or the end, when there is none).
    ++i;
    while (i < s.size() && s[i] != '"') ++i;
    if (i < s.size()) ++i;
  } else {
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
  }
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return s.substr(i);
}

std::string ModeLetter(std::string_view args) {
  // The first character may be any character, a double-byte one included.
  // Only ASCII letters can upper-case to a mode's letter.
  return UpperAscii(Utf8CharAt(args, 1));
}

std::string CommandLineArguments(WindowSystem& windows) {
  return std::string(ArgumentsAfterProgramPath(windows.CommandLine()));
}

}  // namespace tl
