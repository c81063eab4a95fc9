#pragma once
// Every text a person reads, one table per language: Japanese where the
// system's user-interface language is Japanese, English everywhere else.
// The language is chosen once at start-up; the settings file, its keys and
// the window titles that serve as the single-instance lock are the same in
// every language. Texts are UTF-8.
#include <array>
#include <cstdint>
#include <string_view>

namespace tl {

enum class UiLanguage : uint8_t { Japanese, English };

// The language for a Windows language identifier: Japanese for any with the
// primary language Japanese (0x11), whatever its sublanguage; English for
// every other one.
UiLanguage LanguageOfLangId(uint16_t langId);

// The Windows language identifier for a POSIX locale name ("ja_JP.UTF-8",
// "en_GB", "C"): Japanese (0x0411) for the language "ja", else English (0x0409).
uint16_t LangIdOfLocaleName(std::string_view locale);

struct UiTexts {
  // The settings dialog.
  const char* musicHeading;
  std::array<const char*, 3> musicRows;  // by music kind: none, audio CD, music file
  const char* repeatTrack;
  const char* fadeHeading;
  const char* fadeSmall;
  const char* fadeLarge;
  const char* speedHeading;
  const char* speedSlow;
  const char* speedFast;
  const char* setButton;
  const char* cancelButton;
  // The "..." button's open-file dialog.
  const char* musicFileTitle;
  const char* musicFileFilter;

  // The picture engine's message boxes and file dialogs.
  const char* engineTitle;
  const char* cannotAssignBox;
  const char* unsupportedDepth;
  const char* cannotReadPixels;
  const char* cannotDraw;
  const char* noBoxAssigned;
  const char* cannotLoadPicture;
  const char* cannotSavePicture;
  const char* openPictureTitle;
  const char* savePictureTitle;
  const char* picturesFilter;
  const char* allFilesFilter;
  const char* bmpFilter;
};

const UiTexts& TextsFor(UiLanguage language);

}  // namespace tl
