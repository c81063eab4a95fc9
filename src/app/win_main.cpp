// The Windows entry point: wires the platform seam to the mode dispatch.
#include <windows.h>

#include <memory>

#include "app/stub_windows.h"
#include "saver/preview_window.h"
#include "saver/saver_window.h"
#include "startup/main_dispatch.h"
#include "toolkit/win32/win32_media.h"
#include "toolkit/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Module-wide values and the windows live for the whole run.
  static tl::Win32Platform platform;
  static tl::Win32Media media;
  static tl::BaseModule base;
  static std::unique_ptr<tl::Tidelight_R> preview;
  static std::unique_ptr<tl::Tidelight_S> saver;
  tl::ModeHandlers modes{
      [] {
        preview = std::make_unique<tl::Tidelight_R>(platform);
        preview->Start();
      },
      [] { tl::app::ShowSettingsDialogModal(platform); },
      [] {
        saver = std::make_unique<tl::Tidelight_S>(platform, base, media);
        saver->Load();
      }};
  tl::Main(platform, base, modes);
  platform.RunMessageLoop();
  return 0;
}
