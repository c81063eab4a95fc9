// Binding, the three planes, undo, drawing and the class's messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "picfx_fixture.h"

namespace tl::test {
namespace {

constexpr const char* kUnbound = "You must assign a picturebox to the class first!";

TEST(PicfxBinding, AcceptsOnly16And32BitScreens) {
  for (int32_t bpp : {8, 24}) {
    EngineOnBox e(5, 3, false);
    e.platform.bitsPerPixel = bpp;
    e.engine.PictureBox(e.box);
    EXPECT_FALSE(e.engine.Bound()) << bpp;
    ASSERT_EQ(e.platform.messageBoxes.size(), 1u);
    EXPECT_EQ(e.platform.messageBoxes[0].text, "Not 16 or 24-bit color setting");
    EXPECT_EQ(e.platform.messageBoxes[0].title, "clsASM");
    EXPECT_EQ(e.platform.messageBoxes[0].icon, MessageIcon::Error);
    // Unbound from here on: the next effect only tells the user.
    e.engine.ASM_PalEffects(7, 10, -1);
    ASSERT_EQ(e.platform.messageBoxes.size(), 2u);
    EXPECT_EQ(e.platform.messageBoxes[1].text, kUnbound);
    EXPECT_EQ(e.platform.messageBoxes[1].icon, MessageIcon::Information);
  }
  for (int32_t bpp : {16, 32}) {
    EngineOnBox e(5, 3, false);
    e.platform.bitsPerPixel = bpp;
    e.engine.PictureBox(e.box);
    EXPECT_TRUE(e.engine.Bound()) << bpp;
    EXPECT_TRUE(e.platform.messageBoxes.empty());
  }
}

TEST(PicfxBinding, PlanesHoldThePictureBottomUpAndTheBoxShowsIt) {
  EngineOnBox e(7, 5, false);
  e.box.visible = false;
  e.box.SetPicture(e.original);
  e.engine.PictureBox(e.box);
  const PicBits& bits = e.engine.Bits();
  ASSERT_EQ(bits.PlaneSize(), 7u * 5u * 4u);
  // (1, 1) is the bottom-left pixel, (W, H) the top-right one.
  EXPECT_EQ(bits.Pixel(1, 1, 1), e.original.At(0, 4));
  EXPECT_EQ(bits.Pixel(7, 5, 1), e.original.At(6, 0));
  EXPECT_EQ(bits.Pixel(2, 1, 1), e.original.At(1, 4));
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(e.Plane(p), e.original) << p;
  EXPECT_EQ(e.box.Pixels(), e.original);
  EXPECT_TRUE(e.box.visible);
  EXPECT_FALSE(e.box.HasPicture());
  const RoutineParams& rp = e.engine.Params();
  EXPECT_EQ(rp.width, 7);
  EXPECT_EQ(rp.height, 5);
  EXPECT_EQ(static_cast<uint32_t>(rp.plane1Address),
            static_cast<uint32_t>(reinterpret_cast<uintptr_t>(bits.ReadPlane(1))));
}

TEST(PicfxBinding, LayoutOffsetsCoverTheBlockOnceWithBytesOfAPixelTogether) {
  // Every byte of every pixel of every plane has its own place, and the
  // places fill the block exactly: no gap, no overlap, nothing beyond it.
  for (auto [w, h] : {std::pair{1, 1}, std::pair{3, 2}, std::pair{2, 5}}) {
    std::vector<int> seen(static_cast<size_t>(3 * w * h * 4), 0);
    for (int p = 1; p <= 3; ++p)
      for (int y = 1; y <= h; ++y)
        for (int x = 1; x <= w; ++x)
          for (int b = 1; b <= 4; ++b) {
            const size_t at = PicBits::Offset(b, x, y, p, w, h);
            ASSERT_LT(at, seen.size());
            ++seen[at];
            // The four bytes of a pixel sit side by side, blue first.
            EXPECT_EQ(at, PicBits::Offset(1, x, y, p, w, h) + static_cast<size_t>(b - 1));
          }
    EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), static_cast<long>(seen.size()));
  }
}

TEST(PicfxBinding, FailedBindsLeaveTheObjectUnboundWithTheirMessages) {
  {  // An empty box: no buffer can be made, so the read fails and so does the bind.
    EngineOnBox e(0, 0);
    EXPECT_FALSE(e.engine.Bound());
    ASSERT_EQ(e.platform.messageBoxes.size(), 2u);
    EXPECT_EQ(e.platform.messageBoxes[0].text, "Error in function GETDIBS");
    EXPECT_EQ(e.platform.messageBoxes[1].text, "Couldn't assign picturebox");
    EXPECT_EQ(e.platform.messageBoxes[1].icon, MessageIcon::Error);
    EXPECT_EQ(e.platform.messageBoxes[1].title, "clsASM");
  }
}

TEST(PicfxBinding, UnboundOperationsOnlyShowTheInformationMessage) {
  EngineOnBox e(3, 3, false);
  e.engine.UndoLast();
  e.engine.UndoLastDontDraw();
  e.engine.ResetPic();
  e.engine.ASM_PalEffects(6, 5, -1);
  e.engine.ASM_IncrementalPalEffects(6, 5);
  ASSERT_EQ(e.platform.messageBoxes.size(), 5u);
  for (const auto& m : e.platform.messageBoxes) {
    EXPECT_EQ(m.text, kUnbound);
    EXPECT_EQ(m.title, "clsASM");
    EXPECT_EQ(m.icon, MessageIcon::Information);
  }
  // Drawing calls do not check the binding; without a box they draw nothing.
  e.engine.DrawNow();
  e.engine.AutoDraw(false);
  e.engine.AutoDraw(true);
  EXPECT_EQ(e.platform.messageBoxes.size(), 5u);
  EXPECT_EQ(e.box.Pixels(), e.original);
  EXPECT_FALSE(e.platform.ended);
}

TEST(PicfxBinding, UndoWithAutoDrawOn) {
  EngineOnBox e(5, 4);
  e.engine.UndoLast();  // right after binding all planes are equal
  EXPECT_EQ(e.box.Pixels(), e.original);
  e.engine.ASM_PalEffects(7, 100, -1);
  const Surface darker = e.box.Pixels();
  EXPECT_NE(darker, e.original);
  EXPECT_EQ(e.Plane(2), darker);
  EXPECT_EQ(e.Plane(3), e.original);
  e.engine.UndoLast();
  EXPECT_EQ(e.box.Pixels(), e.original);
  e.engine.UndoLast();
  EXPECT_EQ(e.box.Pixels(), e.original);
  EXPECT_EQ(e.Plane(2), e.original);
}

TEST(PicfxBinding, AutoDrawOffKeepsTheSwitchOffStateForUndoAndDrawsNothing) {
  EngineOnBox e(5, 4);
  e.engine.ASM_PalEffects(11, 0, -1);
  const Surface atSwitchOff = e.Plane(2);
  e.engine.AutoDraw(false);
  EXPECT_FALSE(e.engine.AutoDraw());
  e.engine.ASM_PalEffects(7, 30, -1);
  e.engine.ASM_PalEffects(6, 10, -1);
  e.engine.ASM_PalEffects(12, 0, -1);
  EXPECT_EQ(e.box.Pixels(), atSwitchOff);  // nothing drawn
  EXPECT_EQ(e.Plane(3), atSwitchOff);
  const Surface worked = e.Plane(2);
  e.engine.DrawNow();
  EXPECT_EQ(e.box.Pixels(), worked);
  e.engine.UndoLast();
  EXPECT_EQ(e.box.Pixels(), atSwitchOff);
  EXPECT_EQ(e.Plane(2), atSwitchOff);
  e.engine.ASM_PalEffects(7, 30, -1);
  e.engine.AutoDraw(true);  // switching on draws the working plane
  EXPECT_EQ(e.box.Pixels(), e.Plane(2));
  EXPECT_NE(e.box.Pixels(), atSwitchOff);
}

TEST(PicfxBinding, ResetPicShowsThePictureAsReadEvenAfterUndo) {
  EngineOnBox e(6, 3);
  e.engine.ASM_PalEffects(7, 40, -1);
  e.engine.UndoLastDontDraw();
  e.engine.ASM_PalEffects(11, 0, -1);
  e.engine.AutoDraw(false);
  e.engine.ASM_PalEffects(6, 70, -1);
  e.engine.ResetPic();
  EXPECT_EQ(e.box.Pixels(), e.original);
  e.engine.UndoLast();
  EXPECT_EQ(e.box.Pixels(), e.original);
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(e.Plane(p), e.original) << p;
}

TEST(PicfxBinding, BindingAgainRereadsTheBoxsCurrentImage) {
  EngineOnBox e(4, 4);
  e.engine.ASM_PalEffects(11, 0, -1);
  const Surface inverted = e.box.Pixels();
  e.engine.PictureBox(e.box);
  for (int p = 1; p <= 3; ++p) EXPECT_EQ(e.Plane(p), inverted) << p;
  e.engine.ResetPic();
  EXPECT_EQ(e.box.Pixels(), inverted);
}

TEST(PicfxBinding, DrawingIntoABoxOfAnotherSizeIsABlitErrorThatEndsTheProgram) {
  EngineOnBox e(4, 4);
  e.box.Resize(5, 4);
  e.engine.UndoLast();
  ASSERT_EQ(e.platform.messageBoxes.size(), 1u);
  EXPECT_EQ(e.platform.messageBoxes[0].text, "Blit Error");
  EXPECT_EQ(e.platform.messageBoxes[0].icon, MessageIcon::Error);
  EXPECT_EQ(e.platform.messageBoxes[0].title, "clsASM");
  EXPECT_TRUE(e.platform.ended);
  EXPECT_TRUE(e.engine.Bits().Empty());
  // Nothing past the end may touch the erased planes.
  e.engine.ASM_PalEffects(7, 10, -1);
  e.engine.ASM_IncrementalPalEffects(6, 10);
  e.engine.UndoLastDontDraw();
  EXPECT_TRUE(e.engine.Bits().Empty());
}

TEST(PicfxBinding, DrawNowDrawsThenLetsPendingMessagesRun) {
  struct Keys : WindowEvents {
    std::vector<int32_t> seen;
    void OnKeyDown(int32_t vk) override { seen.push_back(vk); }
  } keys;
  EngineOnBox e(3, 2);
  auto window = e.platform.OpenWindow(WindowSpec{}, keys);
  e.engine.AutoDraw(false);
  e.engine.ASM_PalEffects(11, 0, -1);
  e.platform.PressKey(*window, 0x20);
  e.engine.DrawNow();
  EXPECT_EQ(e.box.Pixels(), e.Plane(2));
  EXPECT_EQ(keys.seen, std::vector<int32_t>{0x20});
  EXPECT_EQ(e.platform.PendingMessages(), 0u);
}

}  // namespace
}  // namespace tl::test
