// The Windows entry point: the win32 back end handed to the program.
#include <windows.h>

#include "backends/win32/win32_platform.h"
#include "startup/program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  static tl::Win32Platform platform;
  return tl::RunProgram(platform);
}
