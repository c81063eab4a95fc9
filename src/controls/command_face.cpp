#include "controls/command_face.h"

#include "controls/state_pictures.h"
#include "controls/twips.h"

namespace tl {

namespace {
constexpr int16_t kCorner = 60;
constexpr int32_t kPictureWidthTwips = 960, kPictureHeightTwips = 375;
constexpr int16_t kPictureMiddleW = kPictureWidthTwips - 120, kPictureMiddleH = kPictureHeightTwips - 120;

int32_t HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
}  // namespace

std::array<FacePiece, 8> FacePieces(int16_t w, int16_t h) {
  const auto s = [](int32_t v) { return static_cast<int16_t>(v); };
  const int16_t c = kCorner, mw = s(w - 120), mh = s(h - 120);
  const int16_t right = s(w - c), bottom = s(h - c);
  return {{
      {1, 1, c, c, 0, 0, c, c},                                      // top-left corner
      {c, 1, mw, c, c, 1, kPictureMiddleW, c},                       // top edge
      {right, 1, c, c, 900, 1, c, c},                                // top-right corner
      {right, c, c, mh, 900, c, c, kPictureMiddleH},                 // right edge
      {right, bottom, c, c, 900, 315, c, c},                         // bottom-right corner
      {c, bottom, mw, c, c, 315, kPictureMiddleW, c},                // bottom edge
      {1, bottom, c, c, 0, 315, c, c},                               // bottom-left corner
      {1, c, c, mh, 1, c, c, kPictureMiddleH},                       // left edge
  }};
}

std::optional<TriVertex> VertexColour(std::string_view text) {
  if (text.size() != 8 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h')) return std::nullopt;
  uint16_t channels[3];
  for (int i = 0; i < 3; ++i) {
    const int32_t hi = HexDigit(text[2 + 2 * i]), lo = HexDigit(text[3 + 2 * i]);
    if (hi < 0 || lo < 0) return std::nullopt;
    // "&H" + pair + "00" read as a signed 16-bit number: its bits are the pair then zero.
    channels[i] = static_cast<uint16_t>((hi * 16 + lo) << 8);
  }
  TriVertex v;
  v.red = channels[0];
  v.green = channels[1];
  v.blue = channels[2];
  return v;
}

void FillGradient(PictureBox& face, bool gradientFlip) {
  const TriVertex violet = VertexColour(kBodyColour1).value_or(TriVertex{});
  const TriVertex white = VertexColour(kBodyColour2).value_or(TriVertex{});
  face.scaleMode = ScaleMode::Pixels;
  TriVertex v[2] = {gradientFlip ? violet : white, gradientFlip ? white : violet};
  v[0].x = 0;
  v[0].y = 0;
  v[1].x = static_cast<int32_t>(face.ScaleWidth()) - 1;
  v[1].y = static_cast<int32_t>(face.ScaleHeight()) - 1;
  // One rectangle whose upper-left index is 1 and lower-right index 0; the
  // fill orders its corners by height whichever way they are given.
  GradientFillV(face.Pixels(), v[1], v[0]);
  face.scaleMode = ScaleMode::Twips;
}

void PaintFramePieces(Surface& face, const Surface& picture, int16_t w, int16_t h, int32_t tppX,
                      int32_t tppY) {
  if (picture.Width() <= 0 || picture.Height() <= 0) return;
  // The picture's own twips per pixel, so its pixels follow its natural size.
  const double picX = double(kPictureWidthTwips) / picture.Width();
  const double picY = double(kPictureHeightTwips) / picture.Height();
  const auto toPic = [](double twips, double perPixel) {
    return static_cast<int32_t>(std::nearbyint(twips / perPixel));
  };
  for (const FacePiece& p : FacePieces(w, h)) {
    const int32_t dx = TwipsToPixels(p.dx, tppX), dy = TwipsToPixels(p.dy, tppY);
    const Rect dst{dx, dy, dx + TwipsToPixels(p.dw, tppX), dy + TwipsToPixels(p.dh, tppY)};
    const int32_t sx = toPic(p.sx, picX), sy = toPic(p.sy, picY);
    const Rect src{sx, sy, sx + toPic(p.sw, picX), sy + toPic(p.sh, picY)};
    StretchBlt(face, dst, picture, src);
  }
}

}  // namespace tl
