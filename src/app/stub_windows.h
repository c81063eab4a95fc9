#pragma once
// The settings mode's hand-over window. Until the settings dialog is built
// it is a plain window with the dialog's caption, modal until it is closed.
#include "toolkit/platform.h"

namespace tl::app {
void ShowSettingsDialogModal(Platform& platform);
}  // namespace tl::app
