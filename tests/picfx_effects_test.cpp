// The pixel, painting, rotation and magnification effects on a bound
// picture: the effect protocol, what each method passes its routine, and the
// faults each method turns into sound behaviour.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "picfx/colorx_routine.h"
#include "picfx/pixel_routine.h"
#include "picfx_fixture.h"
#include "picfx_reference.h"

namespace tl::test {
namespace {

// The engine's planes as a reference block.
ref::Block BlockOf(const Tidelight_C& engine) {
  const PicBits& bits = engine.Bits();
  ref::Block b(bits.Width(), bits.Height());
  for (int p = 1; p <= 3; ++p)
    std::memcpy(b.bytes.data() + (p - 1) * bits.PlaneSize(), bits.ReadPlane(p), bits.PlaneSize());
  return b;
}
// Plane 2 of a block, as the box shows it.
Surface Shown(const ref::Block& b) {
  Surface s(b.w, b.h);
  for (int32_t y = 1; y <= b.h; ++y)
    for (int32_t x = 1; x <= b.w; ++x) {
      uint32_t v = 0;
      for (int k = 0; k < 4; ++k) v |= uint32_t{b.At(2, x, y, k)} << (8 * k);
      s.At(x - 1, b.h - y) = v;
    }
  return s;
}
// The block an effect starts from under AutoDraw: plane 3 := plane 2.
ref::Block Saved(const Tidelight_C& engine) {
  ref::Block b = BlockOf(engine);
  const size_t plane = size_t(b.w) * b.h * 4;
  std::memcpy(b.bytes.data() + 2 * plane, b.bytes.data() + plane, plane);
  return b;
}

TEST(PicfxEffects, PixelEffectsFollowTheProtocolAndTheReference) {
  EngineOnBox e(9, 7);
  e.box.backColor = Rgb(0x11, 0x22, 0x33);
  e.engine.ASM_PalEffects(11, 0, -1);  // planes 2 and 3 differ from here on
  for (int32_t opcode : {0, 1, 2, 3, 4, 5}) {
    const ref::Block before = Saved(e.engine);
    e.engine.ASM_PixelEffects(opcode, 2, -1);
    const std::vector<float> rows = BuildRowTable(9, 7, 2);
    const ref::Block expected = ref::Pixel(before, opcode, 2, 0x332211, rows);
    EXPECT_EQ(BlockOf(e.engine), expected) << opcode;
    EXPECT_EQ(e.box.Pixels(), Shown(expected)) << opcode;
  }
  EXPECT_EQ(e.engine.Params().colour, 0x332211);
  e.engine.ASM_PixelEffects(1, 0, 0x00ABCDEF);
  EXPECT_EQ(e.engine.Params().colour, 0x00ABCDEF);
}

TEST(PicfxEffects, PixelOpcodesOutsideTheRangeStillSaveAndDraw) {
  for (int32_t opcode : {7, -1}) {
    EngineOnBox e(5, 4);
    e.engine.ASM_PalEffects(11, 0, -1);
    const Surface inverted = e.Plane(2);
    e.box.Pixels().Fill(0);
    e.engine.ASM_PixelEffects(opcode, 8, -1);
    EXPECT_EQ(e.Plane(2), inverted);
    EXPECT_EQ(e.Plane(3), inverted);  // saved
    EXPECT_EQ(e.box.Pixels(), inverted);  // drawn
  }
}

TEST(PicfxEffects, RowWaveOfAmountZeroGivesThePictureBack) {
  EngineOnBox e(8, 6);
  e.engine.ASM_PixelEffects(3, 0, -1);
  EXPECT_EQ(e.box.Pixels(), e.original);
  EXPECT_EQ(e.Plane(2), e.original);
}

TEST(PicfxEffects, ColorXPassesItsArgumentsPerOpcode) {
  EngineOnBox e(11, 8);
  const int32_t colour = 0x2080F0;
  for (int32_t opcode : {1, 2, 3, 4, 5, 6, 7, 8}) {
    const ref::Block before = Saved(e.engine);
    e.engine.ASM_ColorXEffects(opcode, colour, 2);
    const ref::Block expected = ref::ColorX(before, opcode, 2, colour, 0.9f, 0.1f);
    EXPECT_EQ(BlockOf(e.engine), expected) << opcode;
    EXPECT_EQ(e.box.Pixels(), Shown(expected)) << opcode;
  }
  // The ring about the given centre, centerY from the top edge.
  ref::Block before = Saved(e.engine);
  e.engine.ASM_ColorXEffects(9, colour, 1, 3.0, 2.0);
  EXPECT_EQ(BlockOf(e.engine), ref::ColorX(before, 9, 1, colour, 3.0f, 2.0f));
  // A missing centre is the middle: W div 2, H div 2.
  before = Saved(e.engine);
  e.engine.ASM_ColorXEffects(9, colour, 1);
  EXPECT_EQ(BlockOf(e.engine), ref::ColorX(before, 9, 1, colour, 5.0f, 4.0f));
  // The colour goes in as it comes.
  e.engine.ASM_ColorXEffects(1, -5, 2);
  EXPECT_EQ(e.engine.Params().colour, -5);
}

TEST(PicfxEffects, ColorXDotsComeFromTheGeneratorSeededByTheClock) {
  for (uint64_t clock : {0u, 123456u}) {
    EngineOnBox e(16, 12);
    e.platform.clockMs = clock;
    const ref::Block start = BlockOf(e.engine);
    e.engine.ASM_ColorXEffects(0, 0x00FF00, 3);
    RandomGenerator g;
    g.Reseed(static_cast<uint32_t>(clock));
    ref::Block expected = start;
    for (int i = 0; i < 60; ++i) {
      const double u1 = g.Next(), u2 = g.Next();
      expected = ref::ColorX(expected, 0, 3, 0x00FF00, static_cast<float>(u1), static_cast<float>(u2));
    }
    EXPECT_EQ(BlockOf(e.engine), expected);
    EXPECT_EQ(e.random.State(), g.State());
  }
}

TEST(PicfxEffects, ColorXWithoutWorkChangesNothingButStillSavesAndDraws) {
  EngineOnBox e(6, 5);
  e.engine.ASM_PalEffects(11, 0, -1);
  const Surface inverted = e.Plane(2);
  for (int32_t opcode : {10, -1}) {
    e.box.Pixels().Fill(0);
    e.engine.ASM_ColorXEffects(opcode, 0xFFFFFF, 5);
    EXPECT_EQ(e.box.Pixels(), inverted) << opcode;
    EXPECT_EQ(e.Plane(3), inverted);
  }
  e.engine.ASM_ColorXEffects(0, 0xFFFFFF, 0);  // no dots
  e.engine.ASM_ColorXEffects(1, 0xFFFFFF, 0);  // no step
  e.engine.ASM_ColorXEffects(9, 0xFFFFFF, -4);  // no radii
  EXPECT_EQ(e.box.Pixels(), inverted);
}

// Amount x 20 beyond 16 bits: the dots are counted in 32 bits.
TEST(PicfxEffects, ColorXDotCountBeyondSixteenBits) {
  EngineOnBox e(4, 4);
  e.engine.ASM_ColorXEffects(0, 0x0000FF, 1700);  // 34000 dots
  RandomGenerator g;
  g.Reseed(0);
  for (int i = 0; i < 2 * 34000; ++i) g.Next();
  EXPECT_EQ(e.random.State(), g.State());
  e.engine.ASM_ColorXEffects(0, 0x0000FF, -3);  // none
  g.Reseed(0);
  EXPECT_EQ(e.random.State(), g.State());
}

TEST(PicfxEffects, RotateByZeroDoesNothingAtAll) {
  EngineOnBox e(6, 6);
  e.engine.ASM_PalEffects(11, 0, -1);
  const Surface undo = e.Plane(3), working = e.Plane(2);
  e.box.Pixels().Fill(0);
  e.engine.ASM_Rotate(0, true, false, -1);
  EXPECT_EQ(e.Plane(3), undo);
  EXPECT_EQ(e.Plane(2), working);
  EXPECT_EQ(e.box.Pixels(), Surface(6, 6));  // not drawn
}

TEST(PicfxEffects, RotateByNinetyMovesThePixelRightOfTheCentreBelowIt) {
  Surface picture(9, 9);
  picture.Fill(0x00101010);
  picture.At(5, 4) = 0x00FF0000;  // two right of the centre (column 3, row 4 from the top)
  EngineOnBox e(9, 9, false);
  e.box.Pixels() = picture;
  e.engine.PictureBox(e.box);
  e.engine.ASM_Rotate(90, false, false, 0x00FFFFFF);
  EXPECT_EQ(e.box.Pixels().At(3, 6) & 0xFFFFFF, 0x00FF0000u);  // two below it
  EXPECT_EQ(e.box.Pixels().At(5, 4) & 0xFFFFFF, 0x00101010u);
}

TEST(PicfxEffects, RotationsWithAutoDrawOffBothReadTheSavedPlane) {
  EngineOnBox once(12, 10), twice(12, 10);
  once.engine.AutoDraw(false);
  once.engine.ASM_Rotate(10, true, false, 0x123456);
  twice.engine.AutoDraw(false);
  twice.engine.ASM_Rotate(10, true, false, 0x123456);
  twice.engine.ASM_Rotate(10, true, false, 0x123456);
  EXPECT_EQ(twice.Plane(2), once.Plane(2));
  EXPECT_NE(twice.Plane(2), twice.original);
  EXPECT_EQ(twice.box.Pixels(), twice.original);  // nothing drawn
  const ref::Block bound = BlockOf(twice.engine);
  EXPECT_EQ(BlockOf(twice.engine), ref::Rotate(bound, 1, 0x123456, 6.0f, 5.0f, 370));
}

TEST(PicfxEffects, RotateFromTheBoundPictureLeavesTheUndoPlane) {
  EngineOnBox e(10, 7);
  e.box.backColor = Rgb(1, 2, 3);
  e.engine.ASM_PalEffects(11, 0, -1);
  e.engine.ASM_PixelEffects(2, 0, 0);
  const Surface undo = e.Plane(3);
  const ref::Block before = BlockOf(e.engine);
  e.engine.ASM_Rotate(-25, false, true, -1, 4.5, 2.0);
  EXPECT_EQ(e.Plane(3), undo);
  const ref::Block expected = ref::Rotate(before, 2, 0x030201, 4.5f, 2.0f, 335);
  EXPECT_EQ(BlockOf(e.engine), expected);
  EXPECT_EQ(e.box.Pixels(), Shown(expected));
  e.engine.ASM_Rotate(40, true, true, 0x00FF00);
  EXPECT_EQ(BlockOf(e.engine), ref::Rotate(before, 3, 0x00FF00, 5.0f, 3.0f, 400));
}

TEST(PicfxEffects, RotateByTheLargestAngleTurnsLikeAnyOther) {
  EngineOnBox e(8, 8);
  const ref::Block before = Saved(e.engine);
  e.engine.ASM_Rotate(32767, false, false, 0x0000FF);
  EXPECT_EQ(BlockOf(e.engine), ref::Rotate(before, 0, 0x0000FF, 4.0f, 4.0f, 33127));
  EXPECT_NE(e.Plane(2), e.original);
}

TEST(PicfxEffects, MagnifySteps) {
  EngineOnBox e(9, 8);
  e.engine.ASM_Magnify(1.0f, std::nullopt, std::nullopt, 0, -1);
  EXPECT_EQ(e.box.Pixels(), e.original);
  e.engine.ASM_Magnify(0.96f, std::nullopt, std::nullopt, 0, -1);  // one tenth steps: 1.0
  EXPECT_EQ(e.box.Pixels(), e.original);
  const ref::Block before = Saved(e.engine);
  e.engine.ASM_Magnify(0.94f, 3.0, 2.0, 0, 0x0000FF);  // 0.9
  EXPECT_EQ(BlockOf(e.engine), ref::Magnify(before, 0, 0x0000FF, 3.0f, 2.0f, 9));
  EXPECT_EQ(e.engine.Params().opcode, 0);
  e.engine.ASM_Magnify(2.5f, 3.0, 2.0, -1, 0x0000FF);
  EXPECT_EQ(e.engine.Params().opcode, 1);
}

// Factor 1, bilinear: round(x - 0.5) puts column 1 and row 1 outside, and
// column W and row H too when they are even.
TEST(PicfxEffects, BilinearMagnifyByOnePaintsTheBorder) {
  for (const auto& size : {std::pair{6, 5}, std::pair{5, 6}, std::pair{7, 7}, std::pair{8, 8}}) {
    const int32_t w = size.first, h = size.second;
    EngineOnBox e(w, h);
    e.engine.ASM_Magnify(1.0f, std::nullopt, std::nullopt, -1, 0x00FFFFFF);
    const ref::Block out = BlockOf(e.engine);
    for (int32_t y = 1; y <= h; ++y)
      for (int32_t x = 1; x <= w; ++x) {
        const bool painted = x == 1 || y == 1 || (x == w && w % 2 == 0) || (y == h && h % 2 == 0);
        for (int b = 0; b < 3; ++b)
          ASSERT_EQ(out.At(2, x, y, b), painted ? 255 : out.At(3, x, y, b)) << w << "x" << h << " " << x << "," << y;
      }
  }
}

TEST(PicfxEffects, MagnifyByATenthThatRoundsToZeroPaintsTheFill) {
  EngineOnBox e(5, 5);
  e.engine.ASM_Magnify(0.04f, std::nullopt, std::nullopt, 0, 0x00ABCDEF);
  Surface fill(5, 5);
  fill.Fill(0x00EFCDAB);
  for (int32_t y = 0; y < 5; ++y)
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(e.box.Pixels().At(x, y) & 0xFFFFFF, 0x00EFCDABu);
  e.engine.ASM_Magnify(std::nanf(""), std::nullopt, std::nullopt, 1, 0x00ABCDEF);
  EXPECT_EQ(e.box.Pixels().At(2, 2) & 0xFFFFFF, 0x00EFCDABu);
}

TEST(PicfxEffects, UnboundEffectsOnlyTellTheUser) {
  EngineOnBox e(3, 3, false);
  e.engine.ASM_PixelEffects(0, 1, -1);
  e.engine.ASM_ColorXEffects(1, 0, 1);
  e.engine.ASM_Rotate(10, false, false, -1);
  e.engine.ASM_Magnify(2.0f, std::nullopt, std::nullopt, 0, -1);
  ASSERT_EQ(e.platform.messageBoxes.size(), 4u);
  for (const auto& m : e.platform.messageBoxes)
    EXPECT_EQ(m.text, "You must assign a picturebox to the class first!");
}

}  // namespace
}  // namespace tl::test
