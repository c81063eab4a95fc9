// Controls on the headless back end: the window under a point, the pointer
// held by a pressed control, focus moves, and text.
#include <gtest/gtest.h>

#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"

namespace tl {
namespace {

struct Log : WindowEvents {
  std::string name;
  std::vector<std::string>* out;
  Log(std::string n, std::vector<std::string>& o) : name(std::move(n)), out(&o) {}
  void Add(const std::string& s) { out->push_back(name + " " + s); }
  void OnButtonDown(MouseButton b, int32_t x, int32_t y) override {
    Add("down" + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void OnButtonUp(MouseButton b, int32_t x, int32_t y) override {
    Add("up" + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void OnMouseMove(int32_t x, int32_t y) override { Add("move " + std::to_string(x) + "," + std::to_string(y)); }
  void OnFocus(bool gained) override { Add(gained ? "focus" : "blur"); }
};

struct Controls : ::testing::Test {
  HeadlessPlatform p;
  std::vector<std::string> seen;
  Log hostLog{"host", seen}, oneLog{"one", seen}, twoLog{"two", seen};
  std::unique_ptr<Window> host = p.OpenWindow({"Host", WindowKind::Dialog, {100, 50, 400, 250}}, hostLog);
  std::unique_ptr<Window> one = p.OpenWindow({"", WindowKind::Control, {10, 10, 90, 35}, host->Handle()}, oneLog);
  std::unique_ptr<Window> two = p.OpenWindow({"", WindowKind::Control, {100, 10, 180, 35}, host->Handle()}, twoLog);
  void Pump() {
    while (p.PendingMessages()) p.PumpMessages();
  }
};

TEST_F(Controls, TheWindowUnderAPointIsTheInnermostShowingOne) {
  EXPECT_EQ(p.WindowAt(115, 65), 0) << "the host is not shown yet";
  host->Show();
  EXPECT_EQ(p.WindowAt(115, 65), one->Handle());
  EXPECT_EQ(p.WindowAt(205, 65), two->Handle());
  EXPECT_EQ(p.WindowAt(195, 65), host->Handle());
  EXPECT_EQ(p.WindowAt(99, 65), 0);
  p.hostWindows[9] = {0, 0, 50, 50};
  EXPECT_EQ(p.WindowAt(10, 10), 9);
  // A later window covers an earlier one, a topmost one every other.
  Log coverLog{"cover", seen};
  auto cover = p.OpenWindow({"Cover", WindowKind::Popup, {110, 60, 130, 70}}, coverLog);
  cover->Show();
  EXPECT_EQ(p.WindowAt(115, 65), cover->Handle());
  host->SetTopmost();
  EXPECT_EQ(p.WindowAt(115, 65), one->Handle());
  Rect r;
  ASSERT_TRUE(p.WindowRect(two->Handle(), r));
  EXPECT_EQ(r, (Rect{200, 60, 280, 85}));
}

TEST_F(Controls, APressedControlHoldsThePointerUntilEveryButtonIsUp) {
  host->Show();
  p.PointAt(*one, 5, 6);
  p.Press(MouseButton::Left);
  p.PointAt(*two, 1, 1);
  p.Press(MouseButton::Right);
  p.Release(MouseButton::Left);
  p.PointAtScreen(0, 0);
  p.Release(MouseButton::Right);
  p.PointAt(*two, 2, 2);
  Pump();
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "one move 5,6", "one down0 5,6", "one focus", "one move 91,1", "one down1 91,1",
                      "one up0 91,1", "one move -110,-60", "one up1 -110,-60", "two move 2,2"}));
  EXPECT_EQ(p.Holding(), nullptr);
}

TEST_F(Controls, FocusMovesTellTheLoserFirstAndOnlyALeftPressOnAControlTakesIt) {
  host->Show();
  p.FocusByKeyboard(*two);
  p.PointAt(*one, 1, 1);
  p.Press(MouseButton::Right);
  p.Release(MouseButton::Right);
  p.PointAt(*host, 1, 1);
  p.Press(MouseButton::Left);
  p.Release(MouseButton::Left);
  Pump();
  EXPECT_EQ(p.Focused(), &static_cast<HeadlessWindow&>(*two));
  one->SetFocus();
  EXPECT_EQ(seen.back(), "one focus");
  EXPECT_EQ(seen[seen.size() - 2], "two blur");
  one.reset();
  EXPECT_EQ(p.Focused(), nullptr) << "a destroyed window keeps no focus";
}

TEST(HeadlessText, DrawsAreRecordedAndInkedInTheirRectangle) {
  HeadlessPlatform p;
  Surface s(40, 20, 0x111111);
  TextDraw t;
  t.text = "設定";
  t.rect = {10, 2, 30, 18};
  t.align = TextAlign::Centre;
  t.colour = 0x0000FF;  // red as a COLORREF
  t.heightPx = 13;
  p.DrawText(s, t);
  ASSERT_EQ(p.textDraws.size(), 1u);
  // Two 7-pixel cells centred in the 20-pixel rectangle, 13 pixels high.
  EXPECT_EQ(s.At(12, 2), 0x111111u);
  EXPECT_EQ(s.At(13, 2), 0xFF0000u);
  EXPECT_EQ(s.At(26, 14), 0xFF0000u);
  EXPECT_EQ(s.At(27, 14), 0x111111u);
  EXPECT_EQ(s.At(20, 15), 0x111111u);
  t.enabled = false;
  t.rect = {-5, 0, 3, 3};
  p.DrawText(s, t);  // clipped to the surface
  EXPECT_EQ(s.At(0, 0), HeadlessPlatform::kGreyedText);
  EXPECT_TRUE(p.HasFontFace("ＭＳ Ｐゴシック", 128));
  EXPECT_FALSE(p.HasFontFace("Nothing", 0));
}

}  // namespace
}  // namespace tl
