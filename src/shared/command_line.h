#pragma once
// The program's arguments: the command line without the program's own path,
// and the mode letter that the entry and the saver both read from them.
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/window_system.h"

namespace tl {

// Skips the program's path, quoted or not, and the blanks after it.
std::string_view ArgumentsAfterProgramPath(std::string_view commandLine);

// The second character (not byte) of the upper-cased argument text, or ""
// when the text has fewer.
std::string ModeLetter(std::string_view args);

// The window handle after the switch ("/p 1234", "/c:1234"): the argument
// text from its fourth character on, read as a decimal number and rounded.
// Handles are unsigned, so 2^31 to 2^32 - 1 give the handle of those 32
// bits (a negative value here, widened with its sign as the system widens
// handles). 0 when there is no number or it does not fit 32 bits.
int32_t WindowHandleArgument(std::string_view args);

// The arguments of the running program (UTF-8).
std::string CommandLineArguments(WindowSystem& windows);

}  // namespace tl
