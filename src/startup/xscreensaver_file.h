#pragma once
// xscreensaver's per-user settings file (~/.xscreensaver) and the one change
// we make to it: an entry added to its `programs:` list, every other byte
// kept. The list is an X resource value over continuation lines, one hack a
// line, as xscreensaver 6 writes it: "programs:" and a backslash, then each
// entry at column 32 ending in a backslash-n and a backslash (the next line
// continues the value), and a blank line to end it; entries may be written
// "- GL: superquadrics --root"
// (a leading '-' switches an entry off; "GL:" names a visual). Text in,
// text out: reading and writing the file is the caller's.
#include <optional>
#include <string>
#include <string_view>

namespace tl {

enum class HackListOutcome {
  Added,           // the entry is the list's last
  Created,         // there was no file: a new one, xscreensaver's own list and the entry
  Listed,          // the program is in the list already: nothing to write
  ListedSwitchedOff,  // ... and switched off, which is the user's choice to keep
};

struct HackListEdit {
  HackListOutcome outcome = HackListOutcome::Listed;
  std::string text;  // the file's new bytes (Added, Created)
};

// `file`: the file's bytes, or nothing when there is none. `defaults`:
// xscreensaver's app-defaults file (its `*programs:` list is where a list
// the user never wrote starts from), or nothing. `command`: the entry, e.g.
// "tidelight --root"; an entry whose program has the same file name as
// the command's counts as already there.
HackListEdit AddToHackList(const std::optional<std::string>& file, const std::optional<std::string>& defaults,
                           std::string_view command);

// One entry line as xscreensaver writes it: the command at column 32,
// tabs to column 72, then "\n\" and the line's end.
std::string HackListLine(std::string_view command);

}  // namespace tl
