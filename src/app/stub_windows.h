#pragma once
// Hand-over windows of the three modes. Until the saver, dialog and preview
// are built they are plain windows with the right captions that end the
// program the way their modes do.
namespace tl::app {
void LoadSaverWindow();
void ShowSettingsDialogModal();
int RunMessageLoop();
}  // namespace tl::app
