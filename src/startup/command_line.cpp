#include "startup/command_line.h"

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

std::string CommandLineArguments(WindowSystem& windows) {
  return std::string(ArgumentsAfterProgramPath(windows.CommandLine()));
}

}  // namespace tl
