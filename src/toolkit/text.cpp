#include "toolkit/text.h"

#include <cmath>

#include "toolkit/window_system.h"

namespace tl {

int32_t FontHeightPx(double points, int32_t dpi) {
  const double px = std::round(points * (dpi > 0 ? dpi : 96) / 72.0);
  return px < 1 ? 1 : px > 4096 ? 4096 : static_cast<int32_t>(px);
}

std::string ResolveFace(WindowSystem& windows, const Font& font) {
  if (windows.HasFontFace(font.name, font.charset)) return font.name;
  if (font.charset == charset::kShiftJis) {
    // Windows outside Japan often lacks the Japanese system faces; any of
    // these shows the same captions.
    static const char* const kJapaneseUiFaces[] = {
        "MS UI Gothic", "Meiryo UI", "Yu Gothic UI", "ＭＳ ゴシック", "IPAPGothic",
        "IPAGothic",    "Noto Sans CJK JP", "VL PGothic", "TakaoPGothic"};
    for (const char* face : kJapaneseUiFaces)
      if (windows.HasFontFace(face, font.charset)) return face;
  }
  return font.name;
}

}  // namespace tl
