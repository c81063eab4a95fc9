#include <gtest/gtest.h>

#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"
#include "toolkit/picture_box.h"

namespace tl {
namespace {

struct Recorder : WindowEvents {
  std::vector<std::string> seen;
  HeadlessPlatform* p = nullptr;
  void OnTimer(int32_t id) override { seen.push_back("T" + std::to_string(id) + "@" + std::to_string(p->clockMs)); }
  void OnKeyDown(int32_t k) override { seen.push_back("K" + std::to_string(k)); }
  void OnMouseDown(int32_t x, int32_t y) override { seen.push_back("C" + std::to_string(x) + "," + std::to_string(y)); }
  void OnMouseMove(int32_t, int32_t) override { seen.push_back("M"); }
  void OnDestroyed() override { seen.push_back("D"); }
};

TEST(HeadlessUi, TimersFireFromTheVirtualClockWithTheTenMillisecondFloor) {
  HeadlessPlatform p;
  Recorder r;
  r.p = &p;
  auto w = p.OpenWindow({"W", WindowKind::Popup, {0, 0, 4, 4}}, r);
  w->StartTimer(3, 1);
  w->StartTimer(1, 25);
  p.Advance(30);
  EXPECT_EQ(r.seen, (std::vector<std::string>{"T3@10", "T3@20", "T1@25", "T3@30"}));
  w->StopTimer(3);
  r.seen.clear();
  p.Advance(30);
  EXPECT_EQ(r.seen, (std::vector<std::string>{"T1@50"}));
}

TEST(HeadlessUi, InputWaitsForThePumpAndComesBeforeTimers) {
  HeadlessPlatform p;
  Recorder r;
  r.p = &p;
  auto w = p.OpenWindow({"W", WindowKind::Popup, {0, 0, 4, 4}}, r);
  w->StartTimer(1, 10);
  p.Click(*w, 2, 3);
  p.PressKey(*w, vk::kShift);
  EXPECT_TRUE(r.seen.empty());
  p.clockMs = 10;
  p.PumpMessages();
  EXPECT_EQ(r.seen, (std::vector<std::string>{"C2,3", "K16", "T1@10"}));
}

TEST(HeadlessUi, NothingRunsAfterTheProgramEndsAndClosedWindowsGetNoInput) {
  HeadlessPlatform p;
  struct Ender : Recorder {
    void OnMouseDown(int32_t, int32_t) override { p->EndProgram(); }
  } r;
  r.p = &p;
  auto w = p.OpenWindow({"W", WindowKind::Popup, {0, 0, 4, 4}}, r);
  EXPECT_TRUE(p.FindWindowByTitle("W"));
  w->StartTimer(1, 10);
  p.Click(*w, 0, 0);
  p.PressKey(*w, 65);
  p.Advance(100);
  EXPECT_TRUE(r.seen.empty());

  HeadlessPlatform q;
  Recorder r2;
  auto w2 = q.OpenWindow({"X", WindowKind::Popup, {0, 0, 4, 4}}, r2);
  q.PressKey(*w2, 65);
  w2.reset();
  EXPECT_FALSE(q.FindWindowByTitle("X"));
  q.PumpMessages();
  EXPECT_TRUE(r2.seen.empty());
}

TEST(HeadlessUi, DestroyingAHostTellsItsChildren) {
  HeadlessPlatform p;
  p.hostWindows[77] = {10, 10, 162, 122};
  Recorder r;
  auto w = p.OpenWindow({"Preview Window", WindowKind::Child, {0, 0, 152, 112}, 77}, r);
  Rect rect;
  EXPECT_TRUE(p.WindowRect(77, rect));
  EXPECT_EQ(rect.Width(), 152);
  p.DestroyHost(77);
  EXPECT_FALSE(p.WindowRect(77, rect));
  EXPECT_TRUE(r.seen.empty());  // told with the next messages
  p.PumpMessages();
  EXPECT_EQ(r.seen, std::vector<std::string>{"D"});
  EXPECT_FALSE(p.WindowRect(77, rect));
}

TEST(HeadlessUi, FramesStepTheClockToTheNextFrameBoundary) {
  HeadlessPlatform p;
  p.clockMs = 5;
  p.WaitForFrame();
  EXPECT_EQ(p.clockMs, 16u);
  p.WaitForFrame();
  EXPECT_EQ(p.clockMs, 32u);
  EXPECT_EQ(p.framesWaited, 2u);
}

TEST(PictureBoxTest, ANonPersistentBoxShowsAssignedPicturesAndKeepsDrawnPixels) {
  HeadlessPlatform p;
  Recorder r;
  auto w = p.OpenWindow({"W", WindowKind::Popup, {0, 0, 6, 4}}, r);
  auto* hw = static_cast<HeadlessWindow*>(w.get());
  PictureBox display(p, false), master(p, true);
  display.SetHost(w.get());
  master.visible = false;
  display.Resize(6, 4);
  master.Resize(6, 4);
  master.Pixels().Fill(0x123456);
  display.SetPictureFromImage(master);
  EXPECT_EQ(hw->screen.At(5, 3), 0x123456u);
  ASSERT_TRUE(display.HasPicture());
  display.Pixels().At(1, 1) = 9;
  display.ClearPicture();
  display.Refresh({1, 1, 2, 2});
  EXPECT_EQ(hw->screen.At(1, 1), 9u);
  EXPECT_EQ(hw->presented.back(), (Rect{1, 1, 2, 2}));
  const size_t presents = hw->presented.size();
  display.SetPictureFromImage(display);  // nothing changes, nothing presented
  master.Refresh();                      // hidden
  EXPECT_EQ(hw->presented.size(), presents);
  EXPECT_EQ(display.Width(), 90);
  display.scaleMode = ScaleMode::Twips;
  EXPECT_EQ(display.ScaleHeight(), 60.0);
}

}  // namespace
}  // namespace tl
