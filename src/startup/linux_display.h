#pragma once
// Which display system the Linux program draws on: the rule, in plain C++,
// from the command line, the environment and what could be reached.
#include <string>

#include "startup/linux_options.h"

namespace tl {

enum class LinuxDisplay { X11, Wayland, None };

// Exit statuses of their own, as --help documents them.
inline constexpr int kExitNoDisplay = 1;
inline constexpr int kExitMissingProtocol = 3;
inline constexpr int kExitXWaylandSession = 4;

struct LinuxEnvironment {
  std::string waylandDisplay;  // $WAYLAND_DISPLAY
  std::string sessionType;     // $XDG_SESSION_TYPE
  bool hosted = false;         // drawing in a window xscreensaver gives
  // Whether a connection to the Wayland compositor could be made; asked
  // only when the rule needs it.
  bool waylandReachable = false;
};

struct DisplayChoice {
  LinuxDisplay display = LinuxDisplay::X11;
  std::string error;  // with None: the line for the user
  int exitStatus = 0;  // with None
};

// Hosted windows are X windows; --x11 and --wayland choose; otherwise
// Wayland when $WAYLAND_DISPLAY names a compositor that answers, X11 when
// none is named. A Wayland session whose compositor cannot be reached is
// told, not covered with a black picture through XWayland.
DisplayChoice ChooseLinuxDisplay(const LinuxOptions& options, const LinuxEnvironment& env);

// Whether the rule asks the compositor at all.
bool WantsWaylandProbe(const LinuxOptions& options, const LinuxEnvironment& env);

// The line for a compositor that lacks `protocol`.
std::string MissingProtocolLine(const std::string& protocol);

}  // namespace tl
