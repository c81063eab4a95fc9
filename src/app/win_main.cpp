// The Windows entry point: wires the platform seam to the mode dispatch.
#include <windows.h>

#include "app/stub_windows.h"
#include "startup/main_dispatch.h"
#include "toolkit/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  tl::Win32Platform platform;
  static tl::BaseModule base;  // module-wide values live for the whole run
  tl::ModeHandlers modes{tl::app::StartPreview, tl::app::ShowSettingsDialogModal,
                         tl::app::LoadSaverWindow};
  tl::Main(platform, base, modes);
  tl::app::RunMessageLoop();
  return 0;
}
