#pragma once
// The settings mode's hand-over window. Until the settings dialog is built
// it is a plain window with the dialog's caption, modal until it is closed.
namespace tl::app {
void ShowSettingsDialogModal();
int RunMessageLoop();
}  // namespace tl::app
