#include "settings_ui/dialog_layout.h"

namespace tl::dialog_layout {

Font LabelFont(UiLanguage language) {
  if (language == UiLanguage::English) return {"Tahoma", 9.75, 400, charset::kDefault};
  return {"ＭＳ Ｐゴシック", 9.75, 400, charset::kShiftJis};
}

namespace {

// A letter of the English face at 9.75 points, generously: its widths vary
// from a third of the line's height to nearly all of it.
int32_t EnglishLetterTwips(char c) {
  if (std::string_view("ijlI.,:;'!| ").find(c) != std::string_view::npos) return 60;
  if (std::string_view("frt").find(c) != std::string_view::npos) return 75;
  if (std::string_view("mwMW").find(c) != std::string_view::npos) return 180;
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return 140;
  return 115;
}

}  // namespace

int32_t TextWidthTwips(std::string_view text, UiLanguage language) {
  // A 9.75-point character is 195 twips high; full-width ones are about as
  // wide, half-width ones about half. Generous, so that the platform never
  // wraps a text that its own face draws a little wider.
  int32_t w = 90;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<uint8_t>(text[i]);
    const size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    uint32_t cp = c;
    if (len == 3 && i + 2 < text.size())
      cp = ((c & 0x0Fu) << 12) | ((static_cast<uint8_t>(text[i + 1]) & 0x3Fu) << 6) |
           (static_cast<uint8_t>(text[i + 2]) & 0x3Fu);
    const bool half = cp < 0x80 || (cp >= 0xFF61 && cp <= 0xFF9F);
    w += language == UiLanguage::English && c < 0x80 ? EnglishLetterTwips(static_cast<char>(c)) : half ? 120 : 210;
    i += len;
  }
  return w;
}

TwipRect LabelBox(const TwipRect& at, std::string_view text, UiLanguage language) {
  TwipRect r = at;
  if (r.width == 0) r.width = TextWidthTwips(text, language);
  if (r.height == 0) r.height = kLabelHeight;
  if (language == UiLanguage::English) {
    r.top -= kEnglishLineRoom;
    r.height += 2 * kEnglishLineRoom;
  }
  return r;
}

Label MakeLabel(const TwipRect& at, std::string text, const Font& font, TextAlign align) {
  Label l;
  l.caption = std::move(text);
  l.font = std::make_shared<Font>(font);
  l.alignment = align;
  l.left = at.left;
  l.top = at.top;
  l.width = at.width;
  l.height = at.height;
  return l;
}

TwipRect LinkBox(UiLanguage language) {
  TwipRect r = LabelBox(kLink, "", language);
  if (language == UiLanguage::Japanese) r.height += 2 * kEnglishLineRoom;
  return r;
}

std::vector<PlacedText> PanelTexts(UiLanguage language) {
  const UiTexts& texts = TextsFor(language);
  std::vector<PlacedText> placed;
  for (const PanelText& t : kPanelTexts) {
    const std::string text = texts.*t.text;
    PlacedText p{LabelBox(t.at, text, language), text, t.centred ? TextAlign::Centre : TextAlign::Left};
    if (t.sliderLeftEnd && language == UiLanguage::English) {
      p.at.left = kFrames[1].left + kEnglishFrameWidth + kEnglishSliderGap;
      p.at.width = kFadeBar.left - kEnglishSliderGap - p.at.left;
      p.align = TextAlign::Right;
    }
    if (t.heading && language == UiLanguage::English) p.at.width = kEnglishHeadingWidth;
    placed.push_back(std::move(p));
  }
  return placed;
}

std::array<TwipRect, 3> Frames(UiLanguage language) {
  std::array<TwipRect, 3> frames = kFrames;
  if (language == UiLanguage::English)
    for (TwipRect& f : frames) f.width = kEnglishFrameWidth;
  return frames;
}

PlacedText MusicRowText(int16_t kind, UiLanguage language) {
  const auto& row = kMusicRows[static_cast<size_t>(kind)];
  const std::string text = TextsFor(language).musicRows[static_cast<size_t>(kind)];
  return {LabelBox({row.left + kRowLabelOffset, row.top, 0, 0}, text, language), text};
}

}  // namespace tl::dialog_layout
