#pragma once
// The seam to the platform, gathered: what the program hands to each
// subsystem. Subsystems reach files, the screen, the shell, windows, the
// multimedia system and picture files only through these six interfaces;
// the win32 back end implements them over the Windows API, the headless back
// end in memory.
#include "toolkit/files.h"
#include "toolkit/media.h"
#include "toolkit/picture_files.h"
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
  PictureFiles& pictures;
};

}  // namespace tl
