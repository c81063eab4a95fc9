#include "startup/linux_display.h"

namespace tl {

bool WantsWaylandProbe(const LinuxOptions& o, const LinuxEnvironment& env) {
  if (env.hosted || o.x11) return false;
  return o.wayland || !env.waylandDisplay.empty() || env.sessionType == "wayland";
}

DisplayChoice ChooseLinuxDisplay(const LinuxOptions& o, const LinuxEnvironment& env) {
  if (env.hosted || o.x11) return {LinuxDisplay::X11, "", 0};
  if (env.waylandReachable && (o.wayland || !env.waylandDisplay.empty() ||
                               env.sessionType == "wayland"))
    return {LinuxDisplay::Wayland, "", 0};
  if (o.wayland)
    return {LinuxDisplay::None, "cannot connect to the Wayland compositor", kExitNoDisplay};
  if (env.sessionType == "wayland" || !env.waylandDisplay.empty())
    return {LinuxDisplay::None,
            "this is a Wayland session but its compositor cannot be reached (is $WAYLAND_DISPLAY "
            "set?); through XWayland the desktop would not be covered",
            kExitXWaylandSession};
  return {LinuxDisplay::X11, "", 0};
}

std::string MissingProtocolLine(const std::string& protocol) {
  return "the Wayland compositor does not offer " + protocol +
         ", which tidelight needs to cover the screen (see docs/wayland.md)";
}

}  // namespace tl
