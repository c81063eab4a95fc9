#pragma once
// tidelight --add-to-xscreensaver: the hack added to the user's list in
// ~/.xscreensaver, with what to tell the user. The file's reading and
// writing are the caller's, so this runs without a display.
#include <functional>
#include <ostream>
#include <string>

namespace tl {

struct FileText {
  enum class State { Missing, Unreadable, Read } state = State::Missing;
  std::string bytes;
};

struct XscreensaverFiles {
  std::function<FileText(const std::string& path)> read;
  // Replaces the file whole (never half written); false when it cannot.
  std::function<bool(const std::string& path, const std::string& bytes)> write;
};

// xscreensaver's defaults, where Debian and Fedora put them.
inline constexpr const char* kXscreensaverDefaults[] = {"/etc/X11/app-defaults/XScreenSaver",
                                                        "/usr/share/X11/app-defaults/XScreenSaver"};

// `home`: the user's home folder; `command`: the entry to add, e.g.
// "tidelight --root". Returns the process's exit code: 0 when the hack is
// in the list afterwards, 1 when the file could not be read or written
// (it is then left as it was).
int AddToXscreensaver(const std::string& home, const std::string& command, const XscreensaverFiles& files,
                      std::ostream& out, std::ostream& err);

}  // namespace tl
