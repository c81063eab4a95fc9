// The push button's look: its state pictures, the face painted from them,
// the body gradient, the caption and the disabled look.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "command_fixture.h"
#include "controls/command_face.h"
#include "controls/state_pictures.h"

namespace tl {
namespace {

using test::ButtonHost;

uint32_t Hex(uint32_t rrggbb) { return rrggbb; }  // our pixels are 0x00RRGGBB

// True when every channel lies between those of a and b.
bool Between(uint32_t p, uint32_t a, uint32_t b) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const uint32_t c = (p >> shift) & 0xFF, x = (a >> shift) & 0xFF, y = (b >> shift) & 0xFF;
    if (c < std::min(x, y) || c > std::max(x, y)) return false;
  }
  return true;
}

TEST(StatePictures, EachCarriesItsCharacterisingColoursInItsOuterBand) {
  const StatePictures pics = DrawStatePictures();
  for (const Surface& s : pics) {
    ASSERT_EQ(s.Width(), 64);
    ASSERT_EQ(s.Height(), 25);
    for (int32_t y = 0; y < 25; ++y)
      for (int32_t x = 0; x < 64; ++x) ASSERT_EQ(s.At(x, y) >> 24, 0u) << "24-bit colour";
  }
  const Surface& normal = pics[size_t(StatePicture::Normal)];
  for (StatePicture p : {StatePicture::Normal, StatePicture::HighLight, StatePicture::Selected}) {
    const Surface& s = pics[size_t(p)];
    EXPECT_TRUE(Between(s.At(0, 12), Hex(0xE0DCC9), Hex(0xEDEADA))) << "beige margin";
    EXPECT_TRUE(Between(s.At(32, 0), Hex(0xE0DCC9), Hex(0xEDEADA)));
    EXPECT_EQ(s.At(1, 12), Hex(0x003C74)) << "frame line";
    EXPECT_EQ(s.At(32, 1), Hex(0x003C74));
    EXPECT_EQ(s.At(62, 12), Hex(0x003C74));
    EXPECT_EQ(s.At(32, 23), Hex(0x003C74));
    // Anti-aliased corners: a blend, neither margin nor line.
    EXPECT_NE(s.At(1, 1), s.At(0, 12));
    EXPECT_NE(s.At(1, 1), Hex(0x003C74));
  }
  EXPECT_EQ(normal.At(32, 2), Hex(0xFFFFFF)) << "white highlight at the top left";
  EXPECT_EQ(normal.At(2, 12), Hex(0xFFFFFF));
  EXPECT_EQ(normal.At(32, 3), Hex(0xF3F3EE));
  EXPECT_EQ(normal.At(32, 22), Hex(0xD6D0C5)) << "beige shade along the bottom";

  const Surface& hl = pics[size_t(StatePicture::HighLight)];
  EXPECT_EQ(hl.At(32, 2), Hex(0xFFF0CF));
  EXPECT_EQ(hl.At(32, 22), Hex(0xE59700));
  EXPECT_TRUE(Between(hl.At(2, 12), Hex(0xFFF0CF), Hex(0xE59700)));
  EXPECT_EQ(pics[size_t(StatePicture::HighLightSelect)], hl);

  const Surface& sel = pics[size_t(StatePicture::Selected)];
  EXPECT_EQ(sel.At(32, 2), Hex(0xCEE7FF));
  EXPECT_EQ(sel.At(32, 22), Hex(0x6982EE));
  EXPECT_TRUE(Between(sel.At(2, 12), Hex(0xCEE7FF), Hex(0x6982EE)));

  const Surface& pressed = pics[size_t(StatePicture::Pressed)];
  EXPECT_TRUE(Between(pressed.At(1, 12), Hex(0xE0DCC9), Hex(0xEDEADA))) << "2-pixel margin";
  EXPECT_EQ(pressed.At(2, 12), Hex(0x003C74));
  EXPECT_EQ(pressed.At(32, 2), Hex(0x003C74));
  EXPECT_EQ(pressed.At(32, 3), Hex(0xD0CBBF)) << "pushed-in band along the top";

  const Surface& dis = pics[size_t(StatePicture::Disable)];
  EXPECT_EQ(dis.At(0, 12), Hex(0xECE9D8));
  EXPECT_EQ(dis.At(1, 12), Hex(0xC9C7BA));
  EXPECT_EQ(dis.At(2, 12), Hex(0xF5F4EA));
  EXPECT_EQ(dis.At(32, 22), Hex(0xF5F4EA));
}

TEST(CommandFace, BodyColoursAreReadAsRedGreenBluePairsInReadingOrder) {
  const auto violet = VertexColour(kBodyColour1);
  ASSERT_TRUE(violet);
  EXPECT_EQ(violet->red, 0xC600);
  EXPECT_EQ(violet->green, 0xC500);
  EXPECT_EQ(violet->blue, 0xD700);
  EXPECT_EQ(violet->alpha, 0);
  EXPECT_EQ(VertexColour("&hffffff")->blue, 0xFF00);
  EXPECT_FALSE(VertexColour("&HC6C5D"));
  EXPECT_FALSE(VertexColour("#C6C5D7"));
  EXPECT_FALSE(VertexColour("&HC6C5DG"));
}

TEST(CommandFace, PiecesFollowTheSizeInSixteenBitTwips) {
  const auto p = FacePieces(1215, 375);
  EXPECT_EQ(p[1].dw, 1095);  // top edge stretched from 840
  EXPECT_EQ(p[1].sw, 840);
  EXPECT_EQ(p[3].dh, 255);   // side edges not stretched at 375 twips high
  EXPECT_EQ(p[3].sh, 255);
  EXPECT_EQ(p[4].dx, 1155);
  EXPECT_EQ(p[4].dy, 315);
  // Narrower than the corners: negative middle sizes, which copy nothing.
  const auto small = FacePieces(100, 100);
  EXPECT_EQ(small[1].dw, -20);
  Surface face(1, 1, 0x123456);
  StretchBlt(face, {1, 0, 0, 1}, DrawStatePicture(StatePicture::Normal), {4, 0, 60, 4});
  EXPECT_EQ(face.At(0, 0), 0x123456u) << "a mirrored destination copies nothing";
}

// The expected body row colour: each channel from the top vertex to the
// bottom one across the rows between them, truncated to its high byte.
uint32_t BodyRow(int32_t y, int32_t len, bool flipped) {
  const uint32_t white[3] = {0xFF00, 0xFF00, 0xFF00}, violet[3] = {0xC600, 0xC500, 0xD700};
  const uint32_t* top = flipped ? violet : white;
  const uint32_t* bottom = flipped ? white : violet;
  uint32_t px = 0;
  for (int c = 0; c < 3; ++c)
    px = px << 8 | (top[c] * uint32_t(len - y) + bottom[c] * uint32_t(y)) / uint32_t(len) / 256;
  return px;
}

struct FaceCase {
  int32_t width, height;
};

class CommandFacePixels : public ::testing::TestWithParam<FaceCase> {};

TEST_P(CommandFacePixels, CornersSidesEdgesAndBodyInBothOrientations) {
  const auto [wt, ht] = GetParam();
  HeadlessPlatform p;
  ButtonHost host(p);
  auto b = host.Add({0, 0, wt, ht});
  const int32_t w = wt / 15, h = ht / 15;
  const StatePictures& pics = b->Pictures();
  for (bool hovered : {false, true}) {
    if (hovered) {  // state 2 paints HighLight with the flipped gradient
      p.PointAt(*b->window(), 5, 5);
      p.PumpMessages();
      ASSERT_EQ(b->ButtonState(), 2);
    }
    const Surface& face = b->Face();
    const Surface& pic = pics[size_t(hovered ? StatePicture::HighLight : StatePicture::Normal)];
    ASSERT_EQ(face.Width(), w);
    ASSERT_EQ(face.Height(), h);
    EXPECT_EQ(b->GradientFlip(), hovered);
    // Corners and the unstretched sides are the picture's own pixels.
    for (int32_t y = 0; y < 4; ++y)
      for (int32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(face.At(x, y), pic.At(x, y));
        EXPECT_EQ(face.At(w - 4 + x, h - 4 + y), pic.At(60 + x, 21 + y));
      }
    for (int32_t y = 4; y < h - 4; ++y)
      for (int32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(face.At(x, y), pic.At(x, y)) << x << "," << y;
        EXPECT_EQ(face.At(w - 4 + x, y), pic.At(60 + x, y));
      }
    // The top and bottom edges come from the picture's columns 4 to 59.
    for (int32_t x = 4; x < w - 4; ++x) {
      bool found = false;
      for (int32_t sx = 4; sx < 60 && !found; ++sx) {
        bool same = true;
        for (int32_t y = 0; y < 4; ++y)
          same = same && face.At(x, y) == pic.At(sx, y) && face.At(x, h - 4 + y) == pic.At(sx, 21 + y);
        found = same;
      }
      EXPECT_TRUE(found) << "column " << x;
    }
    // Inside the frame, the body gradient over rows 0 to h - 1.
    for (int32_t y = 4; y < h - 4; ++y) EXPECT_EQ(face.At(w / 2, y), BodyRow(y, h - 1, hovered)) << y;
  }
}

// Where each face column and row of the frame comes from, read off a picture
// whose every pixel is different.
TEST(CommandFace, EdgesStretchThePicturesColumnsInOrderUsingEachWhenGrowing) {
  Surface numbered(64, 25);
  for (int32_t y = 0; y < 25; ++y)
    for (int32_t x = 0; x < 64; ++x) numbered.At(x, y) = uint32_t(y * 64 + x + 1);
  for (auto [wt, tpp] : {std::pair{1215, 15}, std::pair{555, 15}, std::pair{1220, 10}}) {
    const int32_t w = wt / tpp, h = 375 / tpp;
    Surface face(w, h);
    PaintFramePieces(face, numbered, int16_t(wt), 375, tpp, tpp);
    const int32_t corner = 60 / tpp;
    std::vector<int32_t> columns;
    for (int32_t x = corner; x < w - corner; ++x) columns.push_back(int32_t(face.At(x, 0) - 1) % 64);
    EXPECT_TRUE(std::is_sorted(columns.begin(), columns.end())) << wt;
    EXPECT_GE(columns.front(), 4);
    EXPECT_LE(columns.back(), 59);
    if (columns.size() >= 56) {
      EXPECT_EQ(columns.front(), 4);
      EXPECT_EQ(std::set<int32_t>(columns.begin(), columns.end()).size(), 56u);
    }
    // Rows of the side edges: 4 to 20 of the picture, one for one at 15 twips a pixel.
    for (int32_t y = corner; y < h - corner; ++y) {
      const int32_t row = int32_t(face.At(0, y) - 1) / 64;
      if (tpp == 15) {
        EXPECT_EQ(row, y);
      }
      EXPECT_GE(row, 4);
      EXPECT_LE(row, 20);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SettingsDialogSizes, CommandFacePixels,
                         ::testing::Values(FaceCase{1215, 375}, FaceCase{555, 375}));

TEST(CommandFace, TheCaptionSitsTenTwipsAboveTheMiddleAcrossTheWholeFace) {
  HeadlessPlatform p;
  ButtonHost host(p);
  host.stored = {{"Caption", std::string("設定")}};
  auto b = host.Add({0, 0, 1215, 375});
  EXPECT_EQ(b->CaptionLabel().top, 80.0);
  EXPECT_EQ(b->CaptionLabel().width, 1215.0);
  EXPECT_EQ(b->CaptionLabel().height, 195.0);
  ASSERT_FALSE(p.textDraws.empty());
  const TextDraw& t = p.textDraws.back();
  EXPECT_EQ(t.text, "設定");
  EXPECT_EQ(t.rect, (Rect{0, 5, 81, 18}));
  EXPECT_EQ(t.align, TextAlign::Centre);
  EXPECT_EQ(t.face, "ＭＳ Ｐゴシック");
  EXPECT_EQ(t.heightPx, 13);  // 9.75 points at 96 DPI
  EXPECT_EQ(t.weight, 400);
  EXPECT_EQ(t.charset, 128);
  EXPECT_EQ(t.colour, 0u);
  EXPECT_TRUE(t.enabled);
  // The caption is drawn over the face on what the window shows, not into the face.
  const auto& shown = test::Headless(b->window()).screen;
  EXPECT_EQ(shown, b->Shown());
  EXPECT_EQ(shown.At(40, 8), 0u);
  EXPECT_NE(b->Face().At(40, 8), 0u);
  b->Move({0, 0, 1215, 420});
  EXPECT_EQ(b->CaptionLabel().top, 102.5);
}

TEST(CommandFace, WithoutTheJapaneseFaceTheCaptionFallsBackToAnInstalledOne) {
  HeadlessPlatform p;
  p.installedFaces = {"Arial", "IPAGothic", "Meiryo UI"};
  ButtonHost host(p);
  auto b = host.Add({0, 0, 1215, 375});
  EXPECT_EQ(p.textDraws.back().face, "Meiryo UI");
  p.installedFaces = {"Arial"};
  auto c = host.Add({0, 500, 1215, 375});
  EXPECT_EQ(p.textDraws.back().face, "ＭＳ Ｐゴシック") << "none installed: the system maps the name";
}

TEST(CommandFace, DisabledShowsTheDisablePictureAndGreyedCaption) {
  HeadlessPlatform p;
  ButtonHost host(p);
  host.stored = {{"Enabled", false}};
  auto b = host.Add({0, 0, 1215, 375});
  EXPECT_EQ(b->LastPicture(), StatePicture::Disable);
  EXPECT_FALSE(p.textDraws.back().enabled);
  EXPECT_EQ(b->Face().At(0, 12), b->Pictures()[size_t(StatePicture::Disable)].At(0, 12));
  // Greyed ink: grey text over a white shadow.
  const Rect r = p.textDraws.back().rect;
  const int32_t cx = r.left + r.Width() / 2;
  EXPECT_EQ(b->Shown().At(cx, r.top), HeadlessPlatform::kGreyedText);
  b->SetEnabled(true);
  EXPECT_EQ(b->LastPicture(), StatePicture::Normal);
  EXPECT_TRUE(p.textDraws.back().enabled);
}

TEST(CommandFace, At144DpiTheButtonIsHalfAgainAsLargeAndItsPicturesStretch) {
  HeadlessPlatform p;
  p.dpiX = p.dpiY = 144;
  ButtonHost host(p);
  auto b = host.Add({0, 0, 1215, 375});
  const Surface& face = b->Face();
  // 121.5 x 37.5 pixels, halves to even.
  ASSERT_EQ(face.Width(), 122);
  ASSERT_EQ(face.Height(), 38);
  const Surface& pic = b->Pictures()[size_t(StatePicture::Normal)];
  // A 4-pixel corner drawn 6 pixels wide: each picture pixel at least once.
  std::set<uint32_t> corner;
  for (int32_t x = 0; x < 6; ++x) corner.insert(face.At(x, 12 * 0 + 0));
  for (int32_t x = 0; x < 4; ++x) EXPECT_TRUE(corner.count(pic.At(x, 0))) << x;
  EXPECT_EQ(face.At(0, 0), pic.At(0, 0));
  EXPECT_EQ(face.At(5, 5), pic.At(3, 3));
  EXPECT_EQ(face.At(121, 37), pic.At(63, 24));
  EXPECT_EQ(p.textDraws.back().heightPx, 20);  // 19.5 points' pixels, rounded
}

}  // namespace
}  // namespace tl
