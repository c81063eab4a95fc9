// The Linux program on a Wayland compositor: the wayland back end opened on
// every output, or one line saying which protocol the compositor lacks.
#include "app/wayland_main.h"

#include <wayland-client.h>

#include <cstdlib>
#include <iostream>

#include "app/user_lock.h"
#include "backends/wayland/wayland_platform.h"
#include "startup/linux_display.h"
#include "startup/linux_program.h"

namespace tl {

bool WaylandReachable() {
  wl_display* d = wl_display_connect(nullptr);
  if (!d) return false;
  wl_display_disconnect(d);
  return true;
}

int RunOnWayland(const LinuxOptions& options, const std::string& audioSink) {
  WaylandOptions w;
  w.audioSink = audioSink;
  WaylandPlatform platform(w);
  if (!platform.Connected()) {
    std::cerr << "tidelight: cannot connect to the Wayland compositor\n";
    return kExitNoDisplay;
  }
  if (const std::string missing = platform.MissingProtocol(); !missing.empty()) {
    std::cerr << "tidelight: " << MissingProtocolLine(missing) << "\n";
    return kExitMissingProtocol;
  }
  // Clients see no other client's surfaces: a lock of the user's for this
  // compositor stands for the window by which another copy is found on X11
  // and Windows. Where no lock can be had, it runs.
  const char* display = std::getenv("WAYLAND_DISPLAY");
  std::string name = display && display[0] ? display : "wayland-0";
  for (char& ch : name)
    if (ch == '/') ch = '_';
  if (TakeUserLock("tidelight-" + name + ".lock", platform.UserDataFolder()) ==
      UserLock::HeldByAnother)
    return 0;
  return RunLinuxSaver(platform, options, false, std::cerr);
}

}  // namespace tl
