#include "settings_ui/dialog_layout.h"

namespace tl::dialog_layout {

int32_t TextWidthTwips(std::string_view text) {
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
    w += half ? 120 : 210;
    i += len;
  }
  return w;
}

TwipRect LabelBox(const TwipRect& at, std::string_view text) {
  TwipRect r = at;
  if (r.width == 0) r.width = TextWidthTwips(text);
  if (r.height == 0) r.height = kLabelHeight;
  return r;
}

}  // namespace tl::dialog_layout
