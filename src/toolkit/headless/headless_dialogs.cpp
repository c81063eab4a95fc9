// The pointer, the browser and the common dialogs of the headless back end:
// scripted answers, every call recorded.
#include <string>

#include "toolkit/headless/headless_platform.h"

namespace tl {

namespace {
std::string RectText(const Rect& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}
}  // namespace

bool HeadlessPlatform::CursorPosition(int32_t& x, int32_t& y) {
  x = cursorX;
  y = cursorY;
  return true;
}

void HeadlessPlatform::AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) {
  calls.push_back("AnimateCaption " + std::to_string(window) + " " + RectText(from) + " -> " +
                  RectText(to));
}

bool HeadlessPlatform::OpenWebPage(std::string_view url) {
  webPagesOpened.emplace_back(url);
  return browserOpens;
}

std::optional<std::string> HeadlessPlatform::ChooseFileToOpen(const FileDialogSpec& spec) {
  fileDialogs.push_back(spec);
  return fileToOpen;
}

std::optional<std::string> HeadlessPlatform::ChooseFileToSave(const FileDialogSpec& spec) {
  fileDialogs.push_back(spec);
  return fileToSave;
}

std::optional<uint32_t> HeadlessPlatform::ChooseColour(uint32_t initial,
                                                       std::array<uint32_t, 16>& /*custom*/,
                                                       NativeHandle /*owner*/) {
  calls.push_back("ChooseColour " + std::to_string(initial));
  return colourChosen;
}

}  // namespace tl
