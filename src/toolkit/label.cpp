#include "toolkit/label.h"

#include <cmath>

namespace tl {

namespace {
int32_t Px(double twips, int32_t tpp) {
  if (tpp <= 0 || !std::isfinite(twips)) return 0;
  const double v = std::nearbyint(twips / tpp);
  return v < -1e9 ? -1000000000 : v > 1e9 ? 1000000000 : static_cast<int32_t>(v);
}
}  // namespace

Rect Label::PixelBounds(Screen& screen) const {
  const int32_t tx = screen.TwipsPerPixelX(), ty = screen.TwipsPerPixelY();
  const int32_t x = Px(left, tx), y = Px(top, ty);
  return {x, y, x + Px(width, tx), y + Px(height, ty)};
}

void Label::Draw(Surface& onto, Platform& p) {
  if (caption.empty() || !font) return;
  const auto key = std::make_pair(font->name, font->charset);
  auto face = faces_.find(key);
  if (face == faces_.end()) face = faces_.emplace(key, ResolveFace(p.windows, *font)).first;
  TextDraw t;
  t.text = caption;
  t.rect = PixelBounds(p.screen);
  t.align = alignment;
  t.colour = foreColour;
  t.face = face->second;
  t.heightPx = FontHeightPx(font->size, p.screen.DpiY());
  t.weight = font->weight;
  t.charset = font->charset;
  t.italic = font->italic;
  t.underline = font->underline;
  t.strikethrough = font->strikethrough;
  t.enabled = enabled;
  p.windows.DrawText(onto, t);
}

}  // namespace tl
