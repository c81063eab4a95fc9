#pragma once
// The file dialogs' texts and the rules for the names they return.
#include <string>
#include <string_view>

#include "shared/ui_texts.h"
#include "toolkit/shell.h"

namespace tl {

// Titled with the caption given, else the texts' own title. The Japanese
// description names WMF but the pattern does not, as it always was.
FileDialogSpec OpenPictureDialog(const UiTexts& texts, std::string_view caption, NativeHandle owner);
FileDialogSpec SavePictureDialog(const UiTexts& texts, std::string_view caption, NativeHandle owner);

// The path the open dialog chose: up to its first NUL, trailing blanks removed.
std::string ChosenOpenPath(std::string_view returned);
// The path to save to: NULs deleted, trailing blanks removed, and ".bmp"
// added unless the name already ends so in any case ("sky" -> "sky.bmp",
// "SKY.BMP" kept, "sky.jpg" -> "sky.jpg.bmp").
std::string BmpSavePath(std::string_view returned);

}  // namespace tl
