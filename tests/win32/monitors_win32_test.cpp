// The monitors as the real user32 reports them, and the desktop copied from
// a point of the virtual screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "backends/win32/win32_platform.h"

namespace tl {
namespace {

TEST(Win32Monitors, OnePrimaryAtTheOriginOfThePrimaryScreensSize) {
  Win32Platform p;
  const auto monitors = p.Monitors();
  ASSERT_FALSE(monitors.empty());
  EXPECT_EQ(std::count_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; }), 1);
  const auto primary = *std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
  EXPECT_EQ(primary.rect, (Rect{0, 0, p.Width(), p.Height()}));
  EXPECT_EQ(primary.dpiX, p.DpiX());
  // Every monitor lies within the virtual screen.
  const Rect virtualScreen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                           GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                           GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  for (const Monitor& m : monitors) EXPECT_EQ(Intersect(m.rect, virtualScreen), m.rect);
}

TEST(Win32Monitors, TheDesktopFromAPointMatchesTheWindowShownThere) {
  Win32Platform p;
  // A window of a known colour at a place of the primary screen.
  struct : WindowEvents {} events;
  auto w = p.OpenWindow({"Tidelight monitor probe", WindowKind::Popup, {40, 30, 104, 78}}, events);
  ASSERT_NE(w, nullptr);
  Surface face(64, 48, Rgb(10, 200, 90));
  w->Show();
  w->SetTopmost();
  w->Present(face, face.Bounds());
  for (int i = 0; i < 5; ++i) p.WaitForFrame();
  Surface part(16, 16);
  ASSERT_TRUE(p.SnapshotDesktopAt(part, 50, 40));
  EXPECT_EQ(part.At(0, 0) & 0xFFFFFF, Rgb(10, 200, 90));
  EXPECT_EQ(part.At(15, 15) & 0xFFFFFF, Rgb(10, 200, 90));
  Surface whole(p.Width(), p.Height());
  ASSERT_TRUE(p.SnapshotDesktop(whole));
  EXPECT_EQ(whole.At(50, 40) & 0xFFFFFF, Rgb(10, 200, 90));
}

}  // namespace
}  // namespace tl
