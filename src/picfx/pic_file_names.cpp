#include "picfx/pic_file_names.h"

#include <algorithm>
#include <cctype>

namespace tl {

namespace {

FileDialogSpec Dialog(std::string_view caption, std::string_view defaultTitle, NativeHandle owner) {
  FileDialogSpec spec;
  spec.title = std::string(caption.empty() ? defaultTitle : caption);
  spec.owner = owner;
  return spec;
}

void TrimTrailingBlanks(std::string& s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
}

}  // namespace

FileDialogSpec OpenPictureDialog(const UiTexts& texts, std::string_view caption, NativeHandle owner) {
  FileDialogSpec spec = Dialog(caption, texts.openPictureTitle, owner);
  spec.filter = {{texts.picturesFilter, "*.bmp;*.gif;*.jpg;*.ico;*.cur"}, {texts.allFilesFilter, "*.*"}};
  return spec;
}

FileDialogSpec SavePictureDialog(const UiTexts& texts, std::string_view caption, NativeHandle owner) {
  FileDialogSpec spec = Dialog(caption, texts.savePictureTitle, owner);
  spec.filter = {{texts.bmpFilter, "*.bmp"}};
  return spec;
}

std::string ChosenOpenPath(std::string_view returned) {
  std::string path(returned.substr(0, returned.find('\0')));
  TrimTrailingBlanks(path);
  return path;
}

std::string BmpSavePath(std::string_view returned) {
  std::string path;
  std::copy_if(returned.begin(), returned.end(), std::back_inserter(path), [](char c) { return c != '\0'; });
  TrimTrailingBlanks(path);
  std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
  if (tail != ".bmp") path += ".bmp";
  return path;
}

}  // namespace tl
