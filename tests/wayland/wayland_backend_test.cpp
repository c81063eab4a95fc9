// The Wayland back end against a headless sway with two 1024 × 768 outputs
// side by side, desktop colours 0x204080 and 0x806020, started by
// scripts/lib/wayland-run.sh.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "backends/wayland/wayland_connection.h"
#include "backends/wayland/wayland_window.h"
#include "gfx/pixel_memory_shared.h"

namespace tl {

namespace wl {
void SourceOf(int32_t transform, int32_t bufferWidth, int32_t bufferHeight, int32_t x, int32_t y,
              int32_t& sx, int32_t& sy);
}

namespace {

constexpr int32_t kW = 1024, kH = 768;
constexpr uint32_t kLeftDesktop = 0x204080, kRightDesktop = 0x806020;

struct Sink : WindowEvents {
  int keys = 0, buttons = 0, destroyed = 0;
  void OnKeyDown(int32_t) override { ++keys; }
  void OnMouseDown(int32_t, int32_t) override { ++buttons; }
  void OnDestroyed() override { ++destroyed; }
};

TEST(WaylandBackEnd, TheOutputsAreMonitorsSideBySideWithTheFirstPrimary) {
  WaylandPlatform p;
  ASSERT_TRUE(p.Connected());
  EXPECT_EQ(p.MissingProtocol(), "");
  const std::vector<Monitor> m = p.Monitors();
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].rect, (Rect{0, 0, kW, kH}));
  EXPECT_TRUE(m[0].primary);
  EXPECT_EQ(m[1].rect, (Rect{kW, 0, 2 * kW, kH}));
  EXPECT_FALSE(m[1].primary);
  EXPECT_EQ(p.Width(), kW);
  EXPECT_EQ(p.Height(), kH);
}

TEST(WaylandBackEnd, TheDesktopIsCopiedFromEveryOutputAPointCovers) {
  WaylandPlatform p;
  ASSERT_TRUE(p.Connected());
  // Across the seam between the outputs, and past the right one's edge.
  Surface s(40, 10, 0xFFFFFF);
  ASSERT_TRUE(p.SnapshotDesktopAt(s, kW - 20, kH - 5));
  EXPECT_EQ(s.At(0, 0), kLeftDesktop);
  EXPECT_EQ(s.At(19, 4), kLeftDesktop);
  EXPECT_EQ(s.At(20, 0), kRightDesktop);
  EXPECT_EQ(s.At(20, 5), 0u);  // below every output: black
  Surface off(10, 10, 0xFFFFFF);
  EXPECT_TRUE(p.SnapshotDesktopAt(off, 3 * kW, 0));
  EXPECT_EQ(off.At(0, 0), 0u);
}

TEST(WaylandBackEnd, ACoverShowsItsPixelsInPlaceAndOnlyTheChangedPartsChange) {
  WaylandPlatform p;
  ASSERT_TRUE(p.Connected());
  Sink sink;
  WindowSpec spec{"cover", WindowKind::Popup, {kW, 0, 2 * kW, kH}};
  auto w = p.OpenWindow(spec, sink);
  ASSERT_NE(w, nullptr);
  Surface pixels;
  pixels.Resize(kW, kH, 0x00FF00, PixelPlace::Shown);
  // Big enough for a memory file of its own: shown without a copy.
  EXPECT_GE(PixelMemoryFile(pixels.Data()), 0);
  w->Present(pixels, pixels.Bounds());
  w->Show();
  p.WaitForFrame();
  Surface shot(kW, kH);
  ASSERT_TRUE(p.SnapshotDesktopAt(shot, kW, 0));
  EXPECT_EQ(shot.At(0, 0), 0x00FF00u);
  EXPECT_EQ(shot.At(kW - 1, kH - 1), 0x00FF00u);
  // The left output keeps its desktop.
  Surface left(1, 1);
  ASSERT_TRUE(p.SnapshotDesktopAt(left, 10, 10));
  EXPECT_EQ(left.At(0, 0), kLeftDesktop);
  // A part drawn and presented shows; the compositor was told only that part.
  for (int32_t y = 100; y < 200; ++y)
    for (int32_t x = 100; x < 200; ++x) pixels.At(x, y) = 0xFF0000;
  w->Present(pixels, Rect{100, 100, 200, 200});
  p.WaitForFrame();
  ASSERT_TRUE(p.SnapshotDesktopAt(shot, kW, 0));
  EXPECT_EQ(shot.At(150, 150), 0xFF0000u);
  EXPECT_EQ(shot.At(250, 150), 0x00FF00u);
  w.reset();
  // Gone: the desktop shows again.
  p.PumpMessages();
  ASSERT_TRUE(p.SnapshotDesktopAt(shot, kW, 0));
  EXPECT_EQ(shot.At(150, 150), kRightDesktop);
  EXPECT_EQ(sink.destroyed, 0);
}

TEST(WaylandBackEnd, PixelsInOurOwnMemoryAreCopiedToTheCompositor) {
  WaylandOptions o;
  o.inPlace = false;
  WaylandPlatform p(o);
  ASSERT_TRUE(p.Connected());
  Sink sink;
  auto w = p.OpenWindow({"cover", WindowKind::Popup, {0, 0, kW, kH}}, sink);
  ASSERT_NE(w, nullptr);
  Surface pixels(kW, kH, 0x123456);
  EXPECT_LT(PixelMemoryFile(pixels.Data()), 0);
  w->Show();  // before any pixels: nothing for the seam to see, the background
  w->Present(pixels, pixels.Bounds());
  p.WaitForFrame();
  Surface shot(2, 2);
  ASSERT_TRUE(p.SnapshotDesktopAt(shot, 399, 299));
  EXPECT_EQ(shot.At(1, 1), 0x123456u);
}

size_t OpenFiles() {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

TEST(WaylandBackEnd, NoFileIsLeftOpenOnceEverythingIsGone) {
  const size_t before = OpenFiles();
  {
    WaylandPlatform p;
    ASSERT_TRUE(p.Connected());
    Sink sink;
    auto w = p.OpenWindow({"cover", WindowKind::Popup, {0, 0, kW, kH}}, sink);
    ASSERT_NE(w, nullptr);
    Surface pixels;
    pixels.Resize(kW, kH, 0x336699, PixelPlace::Shown);
    ASSERT_GE(PixelMemoryFile(pixels.Data()), 0);
    w->Present(pixels, pixels.Bounds());
    w->Show();
    p.WaitForFrame();
    Surface shot(4, 4);
    ASSERT_TRUE(p.SnapshotDesktopAt(shot, kW, 0));
  }
  EXPECT_EQ(OpenFiles(), before);
}

TEST(WaylandBackEnd, OnlyTheScreensCoverIsAWindowHere) {
  WaylandPlatform p;
  ASSERT_TRUE(p.Connected());
  Sink sink;
  for (WindowKind kind : {WindowKind::Dialog, WindowKind::Child, WindowKind::Control})
    EXPECT_EQ(p.OpenWindow({"x", kind, {0, 0, 10, 10}}, sink), nullptr);
  // Off every output.
  EXPECT_EQ(p.OpenWindow({"x", WindowKind::Popup, {5000, 0, 5100, 100}}, sink), nullptr);
}

TEST(WaylandBackEnd, EveryKeyIsAKeyModifiersIncluded) {
  struct Case {
    uint32_t evdev;
    int32_t vk;
  };
  const Case cases[] = {{1, vk::kEscape}, {57, vk::kSpace}, {42, vk::kShift}, {54, vk::kShift},
                        {29, vk::kControl}, {97, vk::kControl}, {56, 0x12}, {16, 'Q'},
                        {25, 'P'}, {30, 'A'}, {38, 'L'}, {44, 'Z'}, {50, 'M'}, {2, '1'},
                        {11, '0'}, {59, 0x70}, {88, 0x7B}, {125, 0xFF}, {240, 0xFF}};
  for (const Case& c : cases) EXPECT_EQ(wl::VirtualKeyOfEvdev(c.evdev), c.vk) << c.evdev;
}

TEST(WaylandBackEnd, ATurnedOutputsPixelsComeBackUpright) {
  // A 3 × 2 buffer; each transform's source of our picture's corners.
  struct Case {
    int32_t transform;
    int32_t x, y, sx, sy;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0}, {0, 2, 1, 2, 1},
      {2, 0, 0, 2, 1}, {2, 2, 1, 0, 0},
      // Odd transforms: our picture is 2 × 3.
      {1, 0, 0, 0, 1}, {1, 1, 0, 0, 0}, {1, 0, 2, 2, 1},
      {3, 0, 0, 2, 0}, {3, 1, 2, 0, 1},
      {4, 0, 0, 2, 0}, {6, 0, 0, 0, 1},
  };
  std::set<std::pair<int32_t, int32_t>> seen;
  for (const Case& c : cases) {
    int32_t sx = -1, sy = -1;
    wl::SourceOf(c.transform, 3, 2, c.x, c.y, sx, sy);
    EXPECT_EQ(sx, c.sx) << c.transform << " " << c.x << "," << c.y;
    EXPECT_EQ(sy, c.sy) << c.transform << " " << c.x << "," << c.y;
  }
  // Every transform reaches every pixel once.
  for (int32_t t = 0; t < 8; ++t) {
    seen.clear();
    const int32_t w = t % 2 ? 2 : 3, h = t % 2 ? 3 : 2;
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) {
        int32_t sx = 0, sy = 0;
        wl::SourceOf(t, 3, 2, x, y, sx, sy);
        EXPECT_TRUE(sx >= 0 && sx < 3 && sy >= 0 && sy < 2) << t;
        seen.insert({sx, sy});
      }
    EXPECT_EQ(seen.size(), 6u) << t;
  }
}

}  // namespace
}  // namespace tl

namespace tl {
namespace {

// Last: they turn or scale the right output and put it back.
TEST(WaylandBackEnd, OnATurnedOrScaledOutputTheCoverAndItsCopyAreUprightAtFullSize) {
  for (const char* turn : {"90", "180", "270", "flipped-90", "scale"}) {
    const std::string change = std::string(turn) == "scale" ? "transform normal scale 2"
                                                            : std::string("transform ") + turn;
    ASSERT_EQ(std::system(("swaymsg -q output HEADLESS-2 " + change).c_str()), 0);
    WaylandPlatform p;
    ASSERT_TRUE(p.Connected());
    const std::vector<Monitor> m = p.Monitors();
    ASSERT_EQ(m.size(), 2u);
    const Rect r = m[1].rect;
    const bool odd = std::string(turn) != "180" && std::string(turn) != "scale";
    EXPECT_EQ(r.Width(), odd ? kH : kW) << turn;
    Sink sink;
    auto w = p.OpenWindow({"cover", WindowKind::Popup, r}, sink);
    ASSERT_NE(w, nullptr);
    // Red in the top left corner, blue in the bottom right, green elsewhere.
    Surface pixels(r.Width(), r.Height(), 0x00FF00);
    for (int32_t y = 0; y < 50; ++y)
      for (int32_t x = 0; x < 80; ++x) {
        pixels.At(x, y) = 0xFF0000;
        pixels.At(r.Width() - 1 - x, r.Height() - 1 - y) = 0x0000FF;
      }
    w->Present(pixels, pixels.Bounds());
    w->Show();
    p.WaitForFrame();
    Surface shot(r.Width(), r.Height());
    ASSERT_TRUE(p.SnapshotDesktopAt(shot, r.left, r.top));
    EXPECT_EQ(shot.At(5, 5), 0xFF0000u) << turn;
    EXPECT_EQ(shot.At(100, 5), 0x00FF00u) << turn;
    EXPECT_EQ(shot.At(5, 70), 0x00FF00u) << turn;
    EXPECT_EQ(shot.At(r.Width() - 5, r.Height() - 5), 0x0000FFu) << turn;
  }
  ASSERT_EQ(std::system("swaymsg -q output HEADLESS-2 transform normal scale 1"), 0);
}

}  // namespace
}  // namespace tl

namespace tl {
namespace {

struct LayoutSink : WindowEvents {
  int changes = 0, destroyed = 0;
  void OnMonitorsChanged() override { ++changes; }
  void OnDestroyed() override { ++destroyed; }
};

// Frames until the windows were told of `n` changes; a bound for liveness.
void WaitForChanges(WaylandPlatform& p, const LayoutSink& sink, int n) {
  for (int frame = 0; frame < 1200 && sink.changes < n; ++frame) p.WaitForFrame();
}

// Last of all: it leaves a third output (off) in the compositor.
TEST(WaylandBackEnd, AnOutputAddedOrChangedIsToldOnceWholeAndAWindowMovesOntoIt) {
  WaylandPlatform p;
  ASSERT_TRUE(p.Connected());
  LayoutSink sink;
  auto w = p.OpenWindow({"cover", WindowKind::Popup, {0, 0, kW, kH}}, sink);
  ASSERT_NE(w, nullptr);
  ASSERT_EQ(std::system("swaymsg -q output HEADLESS-3 position 2048 0 resolution 800x600"), 0);
  ASSERT_EQ(std::system("swaymsg -q create_output"), 0);
  WaitForChanges(p, sink, 1);
  EXPECT_EQ(sink.changes, 1);  // described once, mode and place together
  std::vector<Monitor> m = p.Monitors();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[2].rect, (Rect{2 * kW, 0, 2 * kW + 800, 600}));
  // A window moved onto it lies over all of it and shows there.
  w->Move({2 * kW + 10, 10, 2 * kW + 20, 20});
  Rect r;
  ASSERT_TRUE(p.WindowRect(w->Handle(), r));
  EXPECT_EQ(r, m[2].rect);
  Surface pixels(800, 600, 0x00FF00);
  w->Present(pixels, pixels.Bounds());
  w->Show();
  p.WaitForFrame();
  Surface shot(1, 1);
  ASSERT_TRUE(p.SnapshotDesktopAt(shot, 2 * kW + 400, 300));
  EXPECT_EQ(shot.At(0, 0), 0x00FF00u);
  ASSERT_TRUE(p.SnapshotDesktopAt(shot, 10, 10));
  EXPECT_EQ(shot.At(0, 0), kLeftDesktop);  // no longer on the first
  // Another mode: told again, the new size answered.
  ASSERT_EQ(std::system("swaymsg -q output HEADLESS-3 resolution 640x480"), 0);
  WaitForChanges(p, sink, 2);
  EXPECT_EQ(sink.changes, 2);
  m = p.Monitors();
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[2].rect, (Rect{2 * kW, 0, 2 * kW + 640, 480}));
  EXPECT_EQ(sink.destroyed, 0);
  ASSERT_EQ(std::system("swaymsg -q output HEADLESS-3 disable"), 0);
}

}  // namespace
}  // namespace tl
