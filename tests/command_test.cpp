// The push button driven as a user drives it, on the headless back end: the
// pointer over the host's windows, mouse buttons, keyboard focus and the
// 100 ms pointer watch on the virtual clock; the picture painted after each
// step and the clicks raised.
#include <gtest/gtest.h>

#include "command_fixture.h"

namespace tl {
namespace {

using SP = StatePicture;
using test::ButtonHost;
using test::Headless;

struct Dialog : ::testing::Test {
  HeadlessPlatform p;
  ButtonHost host{p};
  // Two buttons side by side, as the settings dialog places its own.
  std::unique_ptr<Command> a = host.Add({300, 300, 1215, 375});
  std::unique_ptr<Command> b = host.Add({1800, 300, 1215, 375});

  void Over(Command& c) { p.PointAt(*c.window(), 20, 10); }
  void OverHost() { p.PointAt(*host.window, 2, 2); }
  void Outside() { p.PointAtScreen(900, 700); }
  // Handles what is queued without letting the pointer watch tick.
  void Pump() {
    while (p.PendingMessages() > 0) p.PumpMessages();
  }
  // Past the next pointer-watch tick.
  void Tick() { p.Advance(100); }
  // The window shows what the button painted last.
  void ExpectShown(const Command& c, SP picture, uint8_t state) {
    EXPECT_EQ(c.LastPicture(), picture);
    EXPECT_EQ(c.ButtonState(), state);
    EXPECT_EQ(Headless(c.window()).screen, c.Shown());
  }
};

TEST_F(Dialog, ATypicalClickOnAnUnfocusedButton) {
  Over(*a);
  Pump();
  ExpectShown(*a, SP::HighLight, 2);
  EXPECT_TRUE(a->GradientFlip());
  p.Press();
  Pump();
  ExpectShown(*a, SP::Pressed, 4);  // the press, then the focus arriving
  EXPECT_EQ(p.Focused(), &Headless(a->window()));
  p.Release();
  Pump();
  ExpectShown(*a, SP::HighLightSelect, 4);
  EXPECT_TRUE(a->GradientFlip()) << "state 4 keeps the orientation of the draw before";
  EXPECT_EQ(host.clicks, std::vector<const Command*>{a.get()});
  Outside();
  Tick();
  ExpectShown(*a, SP::Selected, 3);
  EXPECT_FALSE(a->GradientFlip());
  p.FocusByKeyboard(*b->window());
  Pump();
  ExpectShown(*a, SP::Normal, 1);
  ExpectShown(*b, SP::Selected, 3);
  EXPECT_EQ(host.clicks.size(), 1u);
}

TEST_F(Dialog, PressMoveOffTickAndReleaseOffRaiseNoClick) {
  Over(*a);
  p.Press();
  Outside();  // the button holds the pointer, so the move comes to it
  Pump();
  EXPECT_EQ(a->ButtonState(), 4);
  Tick();
  ExpectShown(*a, SP::Selected, 3);
  p.Release();
  Pump();
  EXPECT_TRUE(host.clicks.empty());
  EXPECT_FALSE(a->LeftDown());
  // The next move over it brings the hover back.
  Over(*a);
  Pump();
  ExpectShown(*a, SP::HighLightSelect, 4);
}

TEST_F(Dialog, BackOnWhileStillPressedStaysFocusedAndTheReleaseThereRaisesNoClick) {
  Over(*a);
  p.Press();
  Outside();
  Tick();
  ASSERT_EQ(a->ButtonState(), 3);
  Over(*a);
  Pump();
  ExpectShown(*a, SP::Selected, 3);
  p.Release();
  Pump();
  EXPECT_TRUE(host.clicks.empty());
  Over(*a);
  Pump();
  ExpectShown(*a, SP::HighLightSelect, 4);
}

TEST_F(Dialog, LeavingAndReleasingWithinOneWatchIntervalStillClicks) {
  p.Advance(5);  // just after a tick
  Over(*a);
  p.Press();
  Outside();
  p.Release();
  p.Advance(50);
  EXPECT_EQ(host.clicks, std::vector<const Command*>{a.get()});
  EXPECT_EQ(a->LastPicture(), SP::HighLightSelect);
  Tick();
  ExpectShown(*a, SP::Selected, 3);
}

TEST_F(Dialog, RightAndMiddleReleasesClickWithoutChangingTheLook) {
  // State 1 (the pointer rests over the host), then 2, then 4 (focused hover), then 0.
  OverHost();
  Pump();
  for (MouseButton button : {MouseButton::Right, MouseButton::Middle}) {
    host.clicks.clear();
    p.Press(button);
    p.Release(button);
    Pump();
    ExpectShown(*b, SP::Normal, 1);
    EXPECT_EQ(host.clicks.size(), 0u) << "released over the host: the button never saw it";
  }
  Over(*a);
  Pump();
  for (MouseButton button : {MouseButton::Right, MouseButton::Middle}) {
    p.Press(button);
    p.Release(button);
    Pump();
    ExpectShown(*a, SP::HighLight, 2);
  }
  p.FocusByKeyboard(*a->window());
  Pump();
  ASSERT_EQ(a->ButtonState(), 4);
  p.Press(MouseButton::Right);
  p.Release(MouseButton::Right);
  Pump();
  ExpectShown(*a, SP::Pressed, 4);
  EXPECT_EQ(host.clicks.size(), 3u);

  auto fresh = host.Add({300, 900, 1215, 375}, false);  // never initialised: state 0
  p.PointAt(*fresh->window(), 5, 5);
  p.Press(MouseButton::Middle);
  p.Release(MouseButton::Middle);
  Pump();
  EXPECT_EQ(fresh->ButtonState(), 0);
  EXPECT_EQ(host.clicks.back(), fresh.get());
}

TEST_F(Dialog, ALeftReleaseInHoverPaintsNormalUntilThePointerLeavesAndReturns) {
  Over(*a);
  Pump();
  // A left press that brought no focus (the state machine alone, as if the
  // host had kept the focus).
  a->OnButtonDown(MouseButton::Left, 5, 5);
  a->OnButtonUp(MouseButton::Left, 5, 5);
  ExpectShown(*a, SP::Normal, 2);
  EXPECT_EQ(host.clicks.size(), 1u);
  Over(*a);
  Pump();
  ExpectShown(*a, SP::Normal, 2);
  Outside();
  Tick();
  Over(*a);
  Pump();
  ExpectShown(*a, SP::HighLight, 2);
}

TEST_F(Dialog, KeyboardFocusOverAHoveredButtonPaintsPressed) {
  Over(*a);
  Pump();
  p.FocusByKeyboard(*a->window());
  Pump();
  ExpectShown(*a, SP::Pressed, 4);
  EXPECT_FALSE(a->LeftDown());
  // Keys never press it.
  p.PressKey(*a->window(), vk::kSpace);
  p.PressKey(*a->window(), 0x0D);
  Pump();
  EXPECT_TRUE(host.clicks.empty());
}

TEST_F(Dialog, ThePointerWatchSeesTheHostAnotherButtonAndTheOutside) {
  for (int where = 0; where < 3; ++where) {
    Over(*a);
    Tick();
    ASSERT_EQ(a->ButtonState(), 2) << "over itself the watch changes nothing";
    if (where == 0) OverHost();
    if (where == 1) Over(*b);
    if (where == 2) Outside();
    Tick();
    EXPECT_EQ(a->ButtonState(), 1) << where;
    EXPECT_EQ(a->LastPicture(), SP::Normal);
  }
  // The pointer position cannot be read: the watch looks at the screen's corner.
  Over(*a);
  p.cursorReadable = false;
  Tick();
  EXPECT_EQ(a->ButtonState(), 1);
}

TEST_F(Dialog, BeforeInitializeThePointerIsIgnoredButFocusStillCounts) {
  auto c = host.Add({300, 900, 1215, 375}, false);
  EXPECT_TRUE(Headless(c->window()).timers.empty()) << "the watch is off";
  p.PointAt(*c->window(), 5, 5);
  Pump();
  EXPECT_EQ(c->ButtonState(), 0);
  EXPECT_EQ(c->LastPicture(), SP::Normal);
  p.FocusByKeyboard(*c->window());
  Pump();
  ExpectShown(*c, SP::Selected, 3);
  c->Initialize();
  EXPECT_EQ(c->ButtonState(), 1);
  EXPECT_EQ(Headless(c->window()).timers.at(Command::kTmrMouse).intervalMs, 100u);
}

TEST_F(Dialog, ADisabledButtonIgnoresInputAndReEnablingFollowsTheStateAgain) {
  Over(*a);
  p.FocusByKeyboard(*a->window());
  Pump();
  ASSERT_EQ(a->ButtonState(), 4);
  a->SetEnabled(false);
  ExpectShown(*a, SP::Disable, 4);
  Outside();
  p.Press();
  p.Release();
  Tick();
  p.FocusByKeyboard(*b->window());
  Pump();
  EXPECT_EQ(a->ButtonState(), 4) << "no change of state while disabled";
  EXPECT_EQ(a->LastPicture(), SP::Disable);
  EXPECT_TRUE(host.clicks.empty());
  EXPECT_FALSE(Headless(a->window()).timers.empty()) << "the watch keeps running";
  a->SetEnabled(true);
  ExpectShown(*a, SP::Normal, 4);
  Tick();
  ExpectShown(*a, SP::Selected, 3);
  EXPECT_EQ(host.changed, (std::vector<std::string>{"Enabled", "Enabled"}));
}

TEST_F(Dialog, AResizeWhileHoveredPaintsNormalAndKeepsTheState) {
  Over(*a);
  Pump();
  a->Move({300, 300, 1500, 375});
  ExpectShown(*a, SP::Normal, 2);
  EXPECT_EQ(a->Face().Width(), 100);
  EXPECT_EQ(Headless(a->window()).spec.rect, (Rect{20, 20, 120, 45}));
  a->Move({0, 0, 1500, 375});  // moved, not resized: nothing painted
  Over(*a);
  Outside();
  Tick();
  const auto before = a->LastPicture();
  a->Move({15, 0, 1500, 375});
  EXPECT_EQ(a->LastPicture(), before);
}

TEST_F(Dialog, AClickHandlerMayDestroyTheButton) {
  a->Click = [this] { a.reset(); };
  Over(*a);
  p.Press();
  p.Release();
  Tick();
  EXPECT_EQ(a, nullptr);
  Over(*b);
  p.Press();
  p.Release();
  Tick();
  EXPECT_EQ(host.clicks, std::vector<const Command*>{b.get()});
}

TEST_F(Dialog, ReadingPropertiesRepaintsAsTheirAccessorsSay) {
  Over(*a);
  p.FocusByKeyboard(*a->window());
  Pump();
  ASSERT_EQ(a->LastPicture(), SP::Pressed);
  EXPECT_EQ(a->FontColour(), 0u);
  EXPECT_EQ(a->LastPicture(), SP::Normal) << "whatever the state";
  EXPECT_EQ(a->ButtonState(), 4);
  Over(*a);
  p.FocusByKeyboard(*b->window());
  p.FocusByKeyboard(*a->window());
  Pump();
  EXPECT_EQ(a->Visible(), 255);
  EXPECT_EQ(a->LastPicture(), SP::Normal);
  a->SetVisible(0);
  EXPECT_EQ(a->BackStyle(), 0);
  p.FocusByKeyboard(*b->window());
  Pump();
  p.FocusByKeyboard(*a->window());
  Pump();
  EXPECT_EQ(a->Visible(), 0);
  EXPECT_EQ(a->LastPicture(), SP::Selected) << "transparent: no repaint";
  EXPECT_TRUE(a->Enabled());
  EXPECT_EQ(a->LastPicture(), SP::Normal);
  a->SetEnabled(false);
  EXPECT_FALSE(a->Enabled());
  EXPECT_EQ(a->LastPicture(), SP::Disable);
}

TEST_F(Dialog, SettingTheCaptionShowsAtOnceWithoutRepaintingTheFace) {
  Over(*a);
  Pump();
  const Surface face = a->Face();
  const size_t draws = p.textDraws.size();
  a->SetCaption("キャンセル");
  EXPECT_EQ(a->Face(), face);
  EXPECT_EQ(a->LastPicture(), SP::HighLight);
  ASSERT_EQ(p.textDraws.size(), draws + 1);
  EXPECT_EQ(p.textDraws.back().text, "キャンセル");
  EXPECT_EQ(Headless(a->window()).screen, a->Shown());
  EXPECT_EQ(host.changed, std::vector<std::string>{"Caption"});
}

TEST_F(Dialog, FontAndColourChangesReachTheCaption) {
  auto shared = std::make_shared<Font>(Font{"Arial", 12, 700, 0});
  a->SetFont(shared);
  b->SetFont(shared);  // by reference: one font object for both
  shared->size = 14;
  b->SetCaption("x");
  EXPECT_EQ(p.textDraws.back().face, "Arial");
  EXPECT_EQ(p.textDraws.back().heightPx, 19);
  EXPECT_EQ(p.textDraws.back().weight, 700);
  a->SetFont(nullptr);
  EXPECT_EQ(a->GetFont(), shared);
  a->SetFontColour(0x0000FF);
  EXPECT_EQ(p.textDraws.back().colour, 0x0000FFu);
  a->SetFontColour(0x80000012);  // not a colour: nothing changes, nothing reported
  EXPECT_EQ(a->CaptionLabel().foreColour, 0x0000FFu);
  EXPECT_EQ(host.changed, (std::vector<std::string>{"Font", "Font", "Caption", "FontColour"}));
}

TEST(CommandPlacedNew, TheFirstReadOfEnabledInitialisesItOnce) {
  HeadlessPlatform p;
  ButtonHost host(p);
  Command c(p, host, {0, 0, Command::kDesignWidth, Command::kDesignHeight});
  c.Load(nullptr);
  EXPECT_EQ(c.FirstRun(), 0);
  EXPECT_FALSE(c.EnabledFlag());
  EXPECT_EQ(c.LastPicture(), SP::Disable) << "not yet enabled when it takes its size";
  EXPECT_EQ(c.Face().Width(), 117);
  EXPECT_EQ(c.Face().Height(), 28);
  c.SetFontColour(0x00FF00);  // flag still false: RefreshNormal does nothing
  EXPECT_EQ(c.CaptionLabel().foreColour, 0x00FF00u);
  EXPECT_TRUE(c.Enabled());
  EXPECT_EQ(c.FirstRun(), 1);
  EXPECT_EQ(c.LastPicture(), SP::Normal);
  EXPECT_EQ(c.CaptionLabel().foreColour, 0x00FF00u) << "first read: the flag was false in RefreshNormal";

  // Enabled while FirstRun is still 0: every RefreshNormal forces black.
  Command d(p, host, {0, 500, 1215, 375});
  d.Load(nullptr);
  d.SetEnabled(true);
  d.SetFontColour(0x0000FF);
  EXPECT_EQ(d.CaptionLabel().foreColour, 0u);
}

}  // namespace
}  // namespace tl
