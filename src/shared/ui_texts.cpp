#include "shared/ui_texts.h"

namespace tl {

namespace {

// The program's own texts, as Japanese users have always seen them.
constexpr UiTexts kJapanese{
    "BGM",
    {"なし", "音楽CD", "MP3、WAV"},
    "曲目をﾘﾋﾟｰﾄ",
    "ﾌｪｰﾄﾞ度",
    "小",
    "大",
    "ﾌｪｰﾄﾞｽﾋﾟｰﾄﾞ",
    "遅",
    "速",
    "設定",
    "ｷｬﾝｾﾙ",
    "ﾌｧｲﾙを開く",
    "BGMﾌｧｲﾙ (MP3 WAV)",

    "clsASM",
    "Couldn't assign picturebox",
    "Not 16 or 24-bit color setting",
    "Error in function GETDIBS",
    "Blit Error",
    "You must assign a picturebox to the class first!",
    "Error loading picture file",
    "Error saving picture file",
    "Load a Picture file",
    "Save Picture file",
    "Pictures (*.bmp *.gif *.jpg *.wmf *.ico *.cur)",
    "All Files (*.*)",
    "Pictures (*.bmp)",
};

constexpr UiTexts kEnglish{
    "Music",
    {"None", "Audio CD", "MP3, WAV"},
    "Repeat track",
    "Fade step",
    "Small",
    "Large",
    "Reveal speed",
    "Slow",
    "Fast",
    "OK",
    "Cancel",
    "Choose a music file",
    "Music files (MP3, WAV)",

    "Tidelight",
    "The picture could not be set up.",
    "This screen's color setting is not supported. Choose 16-bit or 32-bit color.",
    "The picture's pixels could not be read.",
    "The picture could not be drawn.",
    "No picture has been set up yet.",
    "The picture file could not be opened.",
    "The picture file could not be saved.",
    "Open a picture",
    "Save the picture",
    "Pictures (*.bmp, *.gif, *.jpg, *.ico, *.cur)",
    "All files (*.*)",
    "Bitmap pictures (*.bmp)",
};

}  // namespace

UiLanguage LanguageOfLangId(uint16_t langId) {
  constexpr uint16_t kPrimaryMask = 0x3FF, kJapanesePrimary = 0x11;
  return (langId & kPrimaryMask) == kJapanesePrimary ? UiLanguage::Japanese : UiLanguage::English;
}

uint16_t LangIdOfLocaleName(std::string_view locale) {
  const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
  return language == "ja" ? 0x0411 : 0x0409;
}

const UiTexts& TextsFor(UiLanguage language) { return language == UiLanguage::Japanese ? kJapanese : kEnglish; }

}  // namespace tl
