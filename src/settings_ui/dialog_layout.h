#pragma once
// Where everything of the settings dialog stands, in twips: the dialog's
// client area, its own controls, and the panel's controls relative to the
// panel. The places are those of the Japanese texts; English keeps them and
// takes the room its texts need (see kEnglishLineRoom below). Texts are UTF-8.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/twips.h"
#include "shared/ui_texts.h"
#include "toolkit/label.h"
#include "toolkit/text.h"

namespace tl::dialog_layout {

inline constexpr char kTitle[] = "<Tidelight>";
inline constexpr int32_t kClientWidth = 7440, kClientHeight = 5175;
inline constexpr uint32_t kBackColour = 0x808080;  // COLORREF, under the shading
inline constexpr uint32_t kPanelColour = 0xE0E0E0;

// On the dialog.
inline constexpr TwipRect kCmdCan{6000, 4440, 1215, 375};
inline constexpr TwipRect kCmdSet{4740, 4440, 1215, 375};
inline constexpr TwipRect kPanel{180, 240, 7035, 4035};
inline constexpr TwipRect kLink{180, 4620, 3105, 195};

// On the panel.
inline constexpr TwipRect kCmdFile{480, 1740, 555, 375};
inline constexpr char kFileCaption[] = "...";
inline constexpr TwipRect kFileLabel{1080, 1740, 5595, 495};
inline constexpr TwipRect kRepeatList{1680, 780, 615, 300};
inline constexpr TwipRect kFadeBar{2580, 2640, 1815, 255};
inline constexpr TwipRect kSpeedBar{2580, 3300, 1815, 255};
inline constexpr TwipRect kFadeValue{2580, 2940, 1815, 195};
inline constexpr TwipRect kSpeedValue{2580, 3600, 1815, 195};
inline constexpr int32_t kFadeMin = 12, kFadeMax = 48, kSpeedMin = 5, kSpeedMax = 50;
inline constexpr int32_t kRepeatEntries = 31;  // the empty entry, then 1 to 30

// The music rows, by music kind: the mark image and its label.
struct MusicRow {
  int32_t left, top;  // the image; the label stands 240 twips to its right
};
inline constexpr int32_t kMarkSize = 195, kRowLabelOffset = 240, kLabelHeight = 195;
inline constexpr std::array<MusicRow, 3> kMusicRows{{
    {420, 1140},
    {420, 840},
    {420, 1440},
}};

// Fixed texts of the panel; a width of 0 sizes the label to its text.
struct PanelText {
  TwipRect at;
  const char* UiTexts::*text;
  bool centred;
  bool sliderLeftEnd = false;  // the word at a slider's left end
  bool heading = false;        // inside one of the frames
};
inline constexpr std::array<PanelText, 8> kPanelTexts{{
    {{300, 360, 1665, 195}, &UiTexts::musicHeading, true, false, true},
    {{2340, 840, 0, 195}, &UiTexts::repeatTrack, false},
    {{300, 2640, 1665, 195}, &UiTexts::fadeHeading, false, false, true},
    {{2280, 2700, 0, 195}, &UiTexts::fadeSmall, false, true},
    {{4440, 2700, 0, 195}, &UiTexts::fadeLarge, false},
    {{300, 3300, 1665, 195}, &UiTexts::speedHeading, false, false, true},
    {{2280, 3360, 0, 195}, &UiTexts::speedSlow, false, true},
    {{4440, 3360, 0, 195}, &UiTexts::speedFast, false},
}};

// The room English takes beyond the Japanese places. A line of the English
// face is taller than the Japanese one, so each label grows by this above
// and below, centred where the Japanese line is. The words at the sliders'
// left ends are wider than the one character they replace: they stand flush
// right in a box that ends a little before the slider and starts a little
// after the heading frames, which English draws narrower (its headings are
// shorter), so that a face wider than the one asked for still fits.
inline constexpr int32_t kEnglishLineRoom = 30;
inline constexpr int32_t kEnglishFrameWidth = 1620, kEnglishHeadingWidth = kEnglishFrameWidth - 30;
inline constexpr int32_t kEnglishSliderGap = 30;
static_assert(kFadeBar.left == kSpeedBar.left, "the sliders' left ends line up");

// A fixed text of the dialog as drawn: its box, text and alignment.
struct PlacedText {
  TwipRect at;
  std::string text;
  TextAlign align = TextAlign::Left;
};

// The black frames around the three headings (Japanese places).
inline constexpr std::array<TwipRect, 3> kFrames{{
    {300, 300, 1695, 315},
    {300, 2580, 1695, 315},
    {300, 3240, 1695, 315},
}};
// The frames in a language.
std::array<TwipRect, 3> Frames(UiLanguage language);

// The labels' and buttons' font: the Japanese system face, or for English a
// face every Windows has.
Font LabelFont(UiLanguage language);
inline Font PanelFont() { return {"Tahoma", 8.25, 400, charset::kAnsi}; }

// The width in twips a label sized to its text takes: half-width characters
// (ASCII, half-width kana) narrower than full-width ones; English letters by
// their width in the English face.
int32_t TextWidthTwips(std::string_view text, UiLanguage language);

// A label's rectangle: its own width, or the width of its text, with the
// room of its language.
TwipRect LabelBox(const TwipRect& at, std::string_view text, UiLanguage language);

// The link's box: the Japanese line leaves no room for the underline at
// every resolution, so the box reaches lower than the line.
TwipRect LinkBox(UiLanguage language);

// A label of the dialog showing `text` in `font` in the box `at`.
Label MakeLabel(const TwipRect& at, std::string text, const Font& font, TextAlign align = TextAlign::Left);

// The panel's fixed texts in a language, relative to the panel, and the
// label of a music row.
std::vector<PlacedText> PanelTexts(UiLanguage language);
PlacedText MusicRowText(int16_t kind, UiLanguage language);

}  // namespace tl::dialog_layout
