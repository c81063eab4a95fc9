#pragma once
// The Linux program on the Wayland back end, for the entry point
// (x11_main.cpp), which chooses the display system.
#include <string>

#include "startup/linux_options.h"

namespace tl {

// Whether a Wayland compositor answers at $WAYLAND_DISPLAY (else wayland-0).
bool WaylandReachable();

// Runs the saver on the compositor; returns the process's exit status.
int RunOnWayland(const LinuxOptions& options, const std::string& audioSink);

}  // namespace tl
