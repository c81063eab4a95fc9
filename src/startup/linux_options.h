#pragma once
// The Linux program's command line: where it draws, the settings it
// overrides, its two questions and the one command that adds it to
// xscreensaver. Every option also takes one dash, as
// xscreensaver's hacks do (-root), and `--name=value`.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shared/base_module.h"
#include "toolkit/platform.h"

namespace tl {

struct LinuxOptions {
  std::optional<int16_t> fadeDepth;
  std::optional<int32_t> fadeSpeed;
  std::optional<std::string> musicFile;  // --music
  bool noMusic = false;                  // --no-music (the later of the two wins)
  bool root = false;
  std::optional<uint64_t> windowId;
  bool help = false, version = false;
  bool addToXscreensaver = false;  // add the hack to ~/.xscreensaver, and nothing else
  std::string error;  // not empty: the command line is wrong, and says how
};

// The arguments after the program's name.
LinuxOptions ParseLinuxOptions(const std::vector<std::string>& args);

// The window to draw in: --window-id, else $XSCREENSAVER_WINDOW (its text,
// null when unset); nothing otherwise (--root then means the root window).
std::optional<uint64_t> HostWindowOf(const LinuxOptions& options, const char* xscreensaverWindow);

// The settings the options override, with the settings file's rules: a
// music file that cannot be read plays nothing.
void ApplyLinuxOptions(Platform& p, const LinuxOptions& options, SettingsRecord& settings);

// What --help shows.
std::string LinuxUsage();

}  // namespace tl
