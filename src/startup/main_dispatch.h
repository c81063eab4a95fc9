#pragma once
// The program's entry logic: single-instance test, the user's language and
// the choice of mode.
#include <functional>
#include <string>

#include "shared/settings.h"
#include "toolkit/platform.h"

namespace tl {

// Where each mode hands over; the windows themselves live in other subsystems.
struct ModeHandlers {
  std::function<void()> startPreview;
  std::function<void()> showSettingsModal;  // returns when the dialog closes
  std::function<void()> loadSaver;
};

void Main(Platform& p, BaseModule& b, const ModeHandlers& modes);

}  // namespace tl
