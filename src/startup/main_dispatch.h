#pragma once
// The program's entry logic: single-instance test and the choice of mode.
#include <functional>
#include <string>

#include "startup/settings.h"
#include "toolkit/platform.h"

namespace tl {

// The second character (not byte) of the upper-cased argument text, or ""
// when the text has fewer.
std::string ModeLetter(std::string_view args);

// Where each mode hands over; the windows themselves live in other subsystems.
struct ModeHandlers {
  std::function<void()> startPreview;
  std::function<void()> showSettingsModal;  // returns when the dialog closes
  std::function<void()> loadSaver;
};

void Main(Platform& p, BaseModule& b, const ModeHandlers& modes);

}  // namespace tl
