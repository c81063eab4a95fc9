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

int32_t WindowHandleArgument(std::string_view args) {
  // The separator after the switch may be a double-byte character.
  const double n = RoundHalfEven(ReadLeadingNumber(Utf8DropChars(args, 3)));
  if (n >= 2147483648.0 && n <= 4294967295.0)
    return static_cast<int32_t>(static_cast<uint32_t>(n));
  return RoundToInt32(n).value_or(0);
}

std::string CommandLineArguments(WindowSystem& windows) {
  return std::string(ArgumentsAfterProgramPath(windows.CommandLine()));
}

}  // namespace tl
