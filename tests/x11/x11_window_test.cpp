// The x11 back end's windows, input, presenting and message loop on a real
// X server.
#include "x11_rig.h"

#include <X11/keysym.h>

#include <tuple>

#include "gfx/pixel_memory_shared.h"

namespace tl::test {
namespace {

using X11Window = X11Test;

Surface Pattern(int32_t w, int32_t h, PixelPlace place = PixelPlace::Own) {
  Surface s;
  s.Resize(w, h, 0, place);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) s.At(x, y) = Rgb(uint8_t(x * 3), uint8_t(y * 5), uint8_t(x ^ y));
  return s;
}

TEST_F(X11Window, ACoverIsFoundByItsTitleUnmanagedAndGoneWithItsOwner) {
  X11Platform p;
  RecordingSink sink;
  {
    auto w = p.OpenWindow({"Tidelight_Main", WindowKind::Popup, {10, 20, 110, 70}}, sink);
    ASSERT_TRUE(w);
    w->Show();
    Drawn(p);
    EXPECT_TRUE(p.FindWindowByTitle("Tidelight_Main"));
    EXPECT_FALSE(p.FindWindowByTitle("Tidelight"));
    Rect r;
    ASSERT_TRUE(p.WindowRect(w->Handle(), r));
    EXPECT_EQ(r, (Rect{10, 20, 110, 70}));
    XWindowAttributes a{};
    XGetWindowAttributes(watcher, static_cast<::Window>(w->Handle()), &a);
    EXPECT_TRUE(a.override_redirect);
    EXPECT_EQ(a.map_state, IsViewable);
  }
  EXPECT_FALSE(p.FindWindowByTitle("Tidelight_Main"));
  EXPECT_TRUE(sink.events.empty()) << "a window we destroy tells nobody";
}

// With shared memory or without; a small surface, or one big enough to lie
// in a shared segment that the server reads in place.
class X11Presenting : public X11Test, public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

TEST_P(X11Presenting, PartsShowTheirPixelsAndAnExposureRepaintsFromThem) {
  const auto [shared, big] = GetParam();
  const int32_t w = big ? 1024 : 64, h = big ? 512 : 48;
  X11Options o;
  o.sharedMemory = shared;
  X11Platform p(o);
  EXPECT_EQ(p.SharedMemory(), shared);
  RecordingSink sink;
  auto win = p.OpenWindow({"present", WindowKind::Popup, {0, 0, w, h}}, sink);
  win->Show();
  Surface first = Pattern(w, h, PixelPlace::Shown);
  EXPECT_EQ(PixelMemorySegment(first.Data()) >= 0, shared && big);
  win->Present(first, first.Bounds());
  Surface second;
  second.Resize(w, h, Rgb(1, 2, 3), PixelPlace::Shown);
  const Rect parts[] = {{0, 0, 10, 10}, {40, 30, 64, 48}};
  win->Present(second, parts);
  Drawn(p);
  for (auto [x, y] : {std::pair{5, 5}, {50, 40}}) EXPECT_EQ(ScreenPixel(x, y), Rgb(1, 2, 3));
  for (auto [x, y] : {std::pair{20, 5}, {w - 1, 0}, {0, h - 1}})
    EXPECT_EQ(ScreenPixel(x, y), first.At(x, y));
  // Covered and uncovered: the window repaints from the surface it was
  // last given, as it is now.
  second.Fill(Rgb(9, 8, 7));
  const ::Window over = Paint(0, 0, w, h, 0x00FF00);
  XDestroyWindow(watcher, over);
  XSync(watcher, False);
  // An exposure may come as several rectangles, each repainted as it comes.
  EXPECT_TRUE(PumpUntil(p, [&] {
    return ScreenPixel(20, 20) == Rgb(9, 8, 7) && ScreenPixel(w - 1, h - 1) == Rgb(9, 8, 7);
  }));
}

INSTANTIATE_TEST_SUITE_P(SharedAndNot, X11Presenting,
                         ::testing::Combine(::testing::Values(false, true), ::testing::Values(false, true)));

TEST_F(X11Window, ClicksKeysAndMovesReachTheSinkAsTheSeamNamesThem) {
  X11Platform p;
  RecordingSink sink;
  auto w = p.OpenWindow({"input", WindowKind::Popup, {100, 100, 300, 300}}, sink);
  w->Show();
  Drawn(p);
  Click(130, 140, 1);
  Click(131, 141, 3);
  Click(132, 142, 4);  // a wheel step is no click
  Key(XK_a);
  Key(XK_Shift_L);
  Key(XK_Control_R);
  ASSERT_TRUE(PumpUntil(p, [&] { return sink.Saw("key 17"); }));
  for (const char* e : {"down 0 30,40", "up 0", "down 1 31,41", "key 65", "key 16", "key 17"})
    EXPECT_TRUE(sink.Saw(e)) << e;
  EXPECT_TRUE(std::any_of(sink.events.begin(), sink.events.end(),
                          [](const std::string& e) { return e.starts_with("move "); }));
  EXPECT_EQ(std::count_if(sink.events.begin(), sink.events.end(),
                          [](const std::string& e) { return e.starts_with("down "); }),
            2);
}

// Stops the loop from a timer's third tick; a stopped timer never ticks.
struct TickingSink : RecordingSink {
  X11Platform* p = nullptr;
  int ticks = 0;
  void OnTimer(int32_t id) override {
    RecordingSink::OnTimer(id);
    if (id == 1 && ++ticks == 3) p->EndProgram();
  }
};

// The loop reads the connection only when poll says it holds something; a
// key that a round trip already took off the socket is handled all the same,
// within the next frame's wait.
TEST_F(X11Window, InputTakenOffTheSocketByARoundTripIsHandledWithinAFrame) {
  X11Platform p;
  RecordingSink sink;
  auto w = p.OpenWindow({"input", WindowKind::Popup, {100, 100, 300, 300}}, sink);
  w->Show();
  // Until the keyboard is ours.
  ASSERT_TRUE(PumpUntil(p, [&] {
    Key(XK_b);
    return sink.Saw("key 66");
  }));
  sink.events.clear();
  Key(XK_a);
  Drawn(p);  // the key came before the answer: it is in Xlib now, not on the socket
  p.WaitForFrame();
  EXPECT_TRUE(sink.Saw("key 65"));
}

TEST_F(X11Window, TimersTickThroughTheLoopUntilTheProgramEnds) {
  X11Platform p;
  TickingSink sink;
  sink.p = &p;
  auto w = p.OpenWindow({"timers", WindowKind::Popup, {0, 0, 10, 10}}, sink);
  w->StartTimer(1, 5);
  w->StartTimer(2, 5);
  w->StopTimer(2);
  p.RunMessageLoop();
  EXPECT_TRUE(p.Ended());
  EXPECT_EQ(sink.events, (std::vector<std::string>{"timer 1", "timer 1", "timer 1"}));
}

TEST_F(X11Window, AWindowDestroyedFromOutsideTellsItsSink) {
  X11Platform p;
  RecordingSink sink;
  auto w = p.OpenWindow({"victim", WindowKind::Popup, {0, 0, 10, 10}}, sink);
  Drawn(p);
  XDestroyWindow(watcher, static_cast<::Window>(w->Handle()));
  XSync(watcher, False);
  ASSERT_TRUE(PumpUntil(p, [&] { return sink.Saw("destroyed"); }));
  EXPECT_EQ(w->Handle(), 0);
}

}  // namespace
}  // namespace tl::test
