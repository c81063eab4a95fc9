// Message boxes, the browser and the common dialogs of the headless back
// end: scripted answers, every call recorded.
#include <string>

#include "backends/headless/headless_platform.h"

namespace tl {

void HeadlessPlatform::ShowMessageBox(std::string_view text, std::string_view title,
                                      MessageIcon icon) {
  Note("MessageBox " + std::string(title) + ": " + std::string(text));
  messageBoxes.push_back({std::string(text), std::string(title), icon});
}

uint16_t HeadlessPlatform::UserInterfaceLanguage() {
  NoteQuietly("UserInterfaceLanguage");
  return uiLanguage;
}

bool HeadlessPlatform::OpenWebPage(std::string_view url) {
  Note("OpenWebPage " + std::string(url));
  webPagesOpened.emplace_back(url);
  return browserOpens;
}

std::optional<std::string> HeadlessPlatform::ChooseFileToOpen(const FileDialogSpec& spec) {
  Note("ChooseFileToOpen " + spec.title);
  fileDialogs.push_back(spec);
  return fileToOpen;
}

std::optional<std::string> HeadlessPlatform::ChooseFileToSave(const FileDialogSpec& spec) {
  Note("ChooseFileToSave " + spec.title);
  fileDialogs.push_back(spec);
  return fileToSave;
}

std::optional<uint32_t> HeadlessPlatform::ChooseColour(uint32_t initial,
                                                       std::array<uint32_t, 16>& custom,
                                                       NativeHandle /*owner*/) {
  Note("ChooseColour " + std::to_string(initial));
  customColoursOffered.push_back(custom);
  if (customColoursLeft) custom = *customColoursLeft;
  return colourChosen;
}

}  // namespace tl
