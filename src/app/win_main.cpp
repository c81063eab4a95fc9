// The Windows entry point: wires the platform seam to the mode dispatch.
#include <windows.h>

#include <memory>

#include "app/stub_windows.h"
#include "saver/preview_window.h"
#include "startup/main_dispatch.h"
#include "toolkit/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  static tl::Win32Platform platform;
  static tl::BaseModule base;  // module-wide values live for the whole run
  static std::unique_ptr<tl::Tidelight_R> preview;
  tl::ModeHandlers modes{
      [] {
        preview = std::make_unique<tl::Tidelight_R>(platform);
        preview->Start();
      },
      tl::app::ShowSettingsDialogModal, tl::app::LoadSaverWindow};
  tl::Main(platform, base, modes);
  platform.RunMessageLoop();
  return 0;
}
