// Text of the headless back end: every draw recorded, its ink a plain box.
//
// The box stands where the platform's glyphs would: as many 7-pixel cells as
// the text has characters (at most the rectangle's width), one line of the
// character height (at most the rectangle's), placed by the alignment from
// the rectangle's top. Enabled text inks in its colour; disabled text in the
// greyed look, a white box one pixel down and right under a grey one.
#include <algorithm>

#include "backends/headless/headless_platform.h"
#include "gfx/raster.h"

namespace tl {

namespace {

constexpr int32_t kCellPx = 7;

int32_t CodePoints(const std::string& s) {
  return static_cast<int32_t>(
      std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<uint8_t>(c) & 0xC0) != 0x80; }));
}

}  // namespace

void HeadlessPlatform::DrawText(Surface& onto, const TextDraw& t) {
  NoteQuietly("DrawText");
  textDraws.push_back(t);
  const Rect& r = t.rect;
  if (r.Empty() || t.text.empty()) return;
  const int32_t w = static_cast<int32_t>(std::min<int64_t>(int64_t{CodePoints(t.text)} * kCellPx, r.Width()));
  const int32_t h = std::min(t.heightPx, r.Height());
  const int32_t left = t.align == TextAlign::Left     ? r.left
                       : t.align == TextAlign::Right  ? r.right - w
                                                      : r.left + (r.Width() - w) / 2;
  const Rect ink{left, r.top, left + w, r.top + h};
  const Rect clip = Intersect(r, onto.Bounds());
  if (t.enabled) {
    FillRect(onto, Intersect(ink, clip), PixelFromColorRef(t.colour));
  } else {
    FillRect(onto, Intersect({ink.left + 1, ink.top + 1, ink.right + 1, ink.bottom + 1}, clip),
             kGreyedHighlight);
    FillRect(onto, Intersect(ink, clip), kGreyedText);
  }
}

bool HeadlessPlatform::HasFontFace(std::string_view face, uint8_t /*charset*/) {
  NoteQuietly("HasFontFace");
  return installedFaces.count(std::string(face)) != 0;
}

}  // namespace tl
