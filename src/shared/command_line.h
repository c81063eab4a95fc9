#pragma once
// The program's arguments: the command line without the program's own path,
// and the mode letter that the entry and the saver both read from them.
#include <string>
#include <string_view>

#include "toolkit/window_system.h"

namespace tl {

// Skips the program's path, quoted or not, and the blanks after it.
std::string_view ArgumentsAfterProgramPath(std::string_view commandLine);

// The second character (not byte) of the upper-cased argument text, or ""
// when the text has fewer.
std::string ModeLetter(std::string_view args);

// The arguments of the running program (UTF-8).
std::string CommandLineArguments(WindowSystem& windows);

}  // namespace tl
