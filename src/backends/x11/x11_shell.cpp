// The shell of the x11 back end. The Linux program has no settings dialog
// (xscreensaver-settings is its settings window) and shows no link, so
// there is no browser and no file or colour dialog; a message box is a line
// on standard error, where xscreensaver keeps its hacks' messages.
#include "backends/host/linux_session.h"
#include "backends/x11/x11_platform.h"

namespace tl {

void X11Platform::ShowMessageBox(std::string_view text, std::string_view title, MessageIcon) {
  host::SayOnStandardError(title, text);
}

uint16_t X11Platform::UserInterfaceLanguage() { return host::LanguageOfEnvironment(); }

bool X11Platform::OpenWebPage(std::string_view) { return false; }

std::optional<std::string> X11Platform::ChooseFileToOpen(const FileDialogSpec&) { return std::nullopt; }

std::optional<std::string> X11Platform::ChooseFileToSave(const FileDialogSpec&) { return std::nullopt; }

std::optional<uint32_t> X11Platform::ChooseColour(uint32_t, std::array<uint32_t, 16>&, NativeHandle) {
  return std::nullopt;
}

}  // namespace tl
