#include "startup/program.h"

#include <memory>

#include "saver/preview_window.h"
#include "saver/saver_window.h"
#include "settings_ui/tidelight_p.h"
#include "shared/base_module.h"
#include "startup/main_dispatch.h"

namespace tl {

int RunProgram(Platform& p) {
  // The module-wide values and the windows live for the whole run.
  BaseModule base;
  std::unique_ptr<Tidelight_R> preview;
  std::unique_ptr<Tidelight_S> saver;
  std::unique_ptr<Tidelight_P> settings;
  const ModeHandlers modes{
      [&] {
        preview = std::make_unique<Tidelight_R>(p);
        preview->Start();
      },
      [&] {
        settings = std::make_unique<Tidelight_P>(p, base);
        settings->ShowModal();
      },
      [&] {
        saver = std::make_unique<Tidelight_S>(p, base);
        saver->Load();
      }};
  Main(p, base, modes);
  if (!p.windows.Ended()) p.windows.RunMessageLoop();
  return 0;
}

}  // namespace tl
