#pragma once
// The seam to the platform, gathered: what the program hands to each
// subsystem. Subsystems reach files, the screen, the shell, windows and the
// multimedia system only through these five interfaces; the win32 back end
// implements them over the Windows API, the headless back end in memory.
#include "toolkit/files.h"
#include "toolkit/media.h"
#include "toolkit/screen.h"
#include "toolkit/shell.h"
#include "toolkit/window_system.h"

namespace tl {

struct Platform {
  Files& files;
  Screen& screen;
  Shell& shell;
  WindowSystem& windows;
  Media& media;
};

}  // namespace tl
