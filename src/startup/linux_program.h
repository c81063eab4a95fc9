#pragma once
// The Linux program on any back end: the settings from the per-user file
// and the command line, then the saver until it ends.
#include <ostream>

#include "startup/linux_options.h"
#include "toolkit/platform.h"

namespace tl {

// The per-user settings file: <user data folder>/tidelight/Tidelight.ini.
std::string LinuxSettingsFile(Platform& p);

// `hosted`: drawing in a window given by xscreensaver, which owns the
// input and the pointer and may run several copies at once (one per
// monitor, one more for a preview): only the copy that holds the per-user
// music lock (`holdsMusic`) plays music. Messages for the user go to `err`.
// Returns the process's exit code.
int RunLinuxSaver(Platform& p, const LinuxOptions& options, bool hosted, std::ostream& err,
                  bool holdsMusic = true);

}  // namespace tl
