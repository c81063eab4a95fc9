#pragma once
// Where everything of the settings dialog stands, in twips: the dialog's
// client area, its own controls, and the panel's controls relative to the
// panel. Texts are UTF-8.
#include <array>
#include <cstdint>
#include <string_view>

#include "controls/twips.h"
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
inline constexpr char kCancelCaption[] = "ｷｬﾝｾﾙ";
inline constexpr char kSetCaption[] = "設定";

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
  const char* text;
};
inline constexpr int32_t kMarkSize = 195, kRowLabelOffset = 240, kLabelHeight = 195;
inline constexpr std::array<MusicRow, 3> kMusicRows{{
    {420, 1140, "なし"},
    {420, 840, "音楽CD"},
    {420, 1440, "MP3、WAV"},
}};

// Fixed texts of the panel; a width of 0 sizes the label to its text.
struct PanelText {
  TwipRect at;
  const char* text;
  bool centred;
};
inline constexpr std::array<PanelText, 8> kPanelTexts{{
    {{300, 360, 1665, 195}, "BGM", true},
    {{2340, 840, 0, 195}, "曲目をﾘﾋﾟｰﾄ", false},
    {{300, 2640, 1665, 195}, "ﾌｪｰﾄﾞ度", false},
    {{2280, 2700, 0, 195}, "小", false},
    {{4440, 2700, 0, 195}, "大", false},
    {{300, 3300, 1665, 195}, "ﾌｪｰﾄﾞｽﾋﾟｰﾄﾞ", false},
    {{2280, 3360, 0, 195}, "遅", false},
    {{4440, 3360, 0, 195}, "速", false},
}};

// The black frames around the three headings.
inline constexpr std::array<TwipRect, 3> kFrames{{
    {300, 300, 1695, 315},
    {300, 2580, 1695, 315},
    {300, 3240, 1695, 315},
}};

inline Font LabelFont() { return {"ＭＳ Ｐゴシック", 9.75, 400, charset::kShiftJis}; }
inline Font PanelFont() { return {"Tahoma", 8.25, 400, charset::kAnsi}; }

// The width in twips a label sized to its text takes: half-width characters
// (ASCII, half-width kana) narrower than full-width ones.
int32_t TextWidthTwips(std::string_view text);

// A label's rectangle: its own width, or the width of its text.
TwipRect LabelBox(const TwipRect& at, std::string_view text);

}  // namespace tl::dialog_layout
