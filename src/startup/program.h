#pragma once
// The whole program on any back end: Main, the hand-over to the mode's
// window, and the message loop until the program ends.
#include "toolkit/platform.h"

namespace tl {

// Returns the process's exit code. On Windows the program usually ends
// inside the seam's EndProgram and never returns here.
int RunProgram(Platform& platform);

}  // namespace tl
