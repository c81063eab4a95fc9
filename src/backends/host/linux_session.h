#pragma once
// What the Linux program learns of its user and process the same way
// whatever display it draws on (x11, Wayland): its own path, the per-user
// settings folder, the language of its messages, and the line on standard
// error that stands for a message box.
#include <cstdint>
#include <string>
#include <string_view>

namespace tl::host {

// The running program's path (/proc/self/exe); empty when unknown.
std::string ProgramPath();
// The arguments as the process was given them (/proc/self/cmdline), each
// quoted that holds a blank, as one line.
std::string CommandLine();
// $XDG_CONFIG_HOME when it names a full path, else ~/.config (the XDG
// base-directory rule); empty when the user has no home.
std::string UserConfigFolder();
// The language of messages from LC_ALL, LC_MESSAGES or LANG, in the order
// the C library consults them, as a Windows language identifier.
uint16_t LanguageOfEnvironment();
// A message box as a line on standard error, where xscreensaver and
// swayidle keep their programs' messages.
void SayOnStandardError(std::string_view title, std::string_view text);

}  // namespace tl::host
