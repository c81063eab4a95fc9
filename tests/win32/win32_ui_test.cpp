// The win32 back end's windows, timers and message pump against the real
// user32 (Wine's, when the tests run here).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "backends/win32/dpi_functions.h"
#include "backends/win32/win32_platform.h"
#include "backends/win32/win32_pointer_size.h"
#include "backends/win32/win32_session.h"

namespace tl {
namespace {

struct Events : WindowEvents {
  int ticks = 0, keys = 0, clicks = 0, moves = 0, destroyed = 0;
  int32_t lastKey = 0, lastX = -1, lastY = -1;
  void OnTimer(int32_t id) override { ticks += id == 7; }
  void OnKeyDown(int32_t k) override { ++keys; lastKey = k; }
  void OnMouseDown(int32_t x, int32_t y) override { ++clicks; lastX = x; lastY = y; }
  void OnMouseMove(int32_t, int32_t) override { ++moves; }
  void OnDestroyed() override { ++destroyed; }
};

TEST(Win32Ui, MessagesReachTheEventSinkThroughThePump) {
  Win32Platform p;
  Events e;
  auto w = p.OpenWindow({"Tidelight test window", WindowKind::Popup, {0, 0, 64, 48}}, e);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(p.FindWindowByTitle("Tidelight test window"));
  HWND h = reinterpret_cast<HWND>(w->Handle());
  PostMessageW(h, WM_KEYDOWN, VK_SHIFT, 0);
  PostMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 34));
  PostMessageW(h, WM_SYSKEYDOWN, VK_MENU, 0);
  p.PumpMessages();
  EXPECT_EQ(e.keys, 2);
  EXPECT_EQ(e.lastKey, VK_MENU);
  EXPECT_EQ(e.clicks, 1);
  EXPECT_EQ(e.lastX, 12);
  EXPECT_EQ(e.lastY, 34);

  w->StartTimer(7, 1);
  for (int i = 0; i < 400 && e.ticks < 3; ++i) p.WaitForFrame();
  EXPECT_GE(e.ticks, 3);
  w->StopTimer(7);
  w.reset();  // destroyed by us: no event, and the title is gone
  EXPECT_EQ(e.destroyed, 0);
  EXPECT_FALSE(p.FindWindowByTitle("Tidelight test window"));
}

TEST(Win32Ui, AChildEndsWithItsHostAndPresentingKeepsNoCopy) {
  Win32Platform p;
  Events hostEvents, childEvents;
  auto host = p.OpenWindow({"Tidelight test host", WindowKind::Popup, {0, 0, 200, 150}}, hostEvents);
  ASSERT_NE(host, nullptr);
  Rect r;
  ASSERT_TRUE(p.WindowRect(host->Handle(), r));
  EXPECT_EQ(r.Width(), 200);
  auto child = p.OpenWindow({"Preview Window", WindowKind::Child, {0, 0, 152, 112}, host->Handle()},
                            childEvents);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(GetParent(reinterpret_cast<HWND>(child->Handle())),
            reinterpret_cast<HWND>(host->Handle()));
  Surface pixels(152, 112, 0x00336699);
  child->Show();
  child->Present(pixels, {10, 10, 40, 30});
  DestroyWindow(reinterpret_cast<HWND>(host->Handle()));
  EXPECT_EQ(childEvents.destroyed, 1);
  EXPECT_EQ(hostEvents.destroyed, 1);
  EXPECT_FALSE(p.WindowRect(999999, r));
}

TEST(Win32Ui, ScreenFactsAreSane) {
  Win32Platform p;
  EXPECT_GT(p.Width(), 0);
  EXPECT_GT(p.Height(), 0);
  EXPECT_GT(p.DpiX(), 0);
  EXPECT_GT(p.BitsPerPixel(), 0);
  Surface shot(16, 16, 0xFFFFFFFF);
  EXPECT_TRUE(p.SnapshotDesktop(shot));  // whatever the desktop holds, the copy works
  int32_t x = -1, y = -1;
  EXPECT_TRUE(p.CursorPosition(x, y));
}

struct Notices : WindowEvents {
  std::vector<bool> activations, displayPower;
  int saverRequests = 0;
  void OnAppActivation(bool active) override { activations.push_back(active); }
  bool OnScreenSaverRequest() override { ++saverRequests; return false; }
  void OnDisplayPower(bool on) override { displayPower.push_back(on); }
  std::vector<SessionNotice> sessions;
  void OnSessionNotice(SessionNotice s) override { sessions.push_back(s); }
};

TEST(Win32Ui, TheSystemsNoticesReachTheSink) {
  Win32Platform p;
  Notices n;
  WindowSpec spec{"Tidelight notice probe", WindowKind::Popup, {0, 0, 64, 48}};
  spec.topmost = true;
  spec.noTaskbarButton = true;
  auto w = p.OpenWindow(spec, n);
  ASSERT_NE(w, nullptr);
  HWND h = reinterpret_cast<HWND>(w->Handle());
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  // A refused screen saver is answered 0 and never reaches the system.
  EXPECT_EQ(SendMessageW(h, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 0);
  EXPECT_EQ(n.saverRequests, 1);
  SendMessageW(h, WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_EQ(n.activations, std::vector<bool>{false});
  // The session display's state: 0 off, 1 on, 2 dimmed (still shown).
  for (DWORD state : {0u, 1u, 2u}) {
    std::vector<unsigned char> buffer(sizeof(POWERBROADCAST_SETTING) + sizeof(DWORD));
    auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer.data());
    setting->PowerSetting = GUID_SESSION_DISPLAY_STATUS;
    setting->DataLength = sizeof state;
    std::memcpy(setting->Data, &state, sizeof state);
    SendMessageW(h, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(setting));
  }
  EXPECT_EQ(n.displayPower, (std::vector<bool>{false, true, true}));
}

TEST(Win32Ui, TheSessionsNoticesReachTheSinkAndAnEndingIsAgreedAtOnce) {
  Win32Platform p;
  Notices n;
  auto w = p.OpenWindow({"Tidelight session probe", WindowKind::Popup, {0, 0, 64, 48}}, n);
  ASSERT_NE(w, nullptr);
  HWND h = reinterpret_cast<HWND>(w->Handle());
  // Nothing is told of an unlock, a called-off ending or a wake.
  for (auto [message, wp] : {std::pair<UINT, WPARAM>{WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK},
                             {WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK}, {WM_ENDSESSION, FALSE},
                             {WM_ENDSESSION, TRUE}, {WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC},
                             {WM_POWERBROADCAST, PBT_APMSUSPEND}})
    SendMessageW(h, message, wp, 0);
  EXPECT_EQ(SendMessageW(h, WM_QUERYENDSESSION, 0, 0), TRUE);  // never held up
  EXPECT_EQ(n.sessions, (std::vector<SessionNotice>{SessionNotice::Locked, SessionNotice::Ending,
                                                    SessionNotice::Suspending, SessionNotice::Ending}));
  // The lock is heard through the session functions, found at run time.
  EXPECT_TRUE(win32::HearSessionChanges(h));
}

TEST(Win32Ui, ThePointerSizeTheUserChoseIsReadAtTheWindowsResolution) {
  Win32Platform p;
  Events e;
  auto w = p.OpenWindow({"Tidelight pointer probe", WindowKind::Dialog, {0, 0, 64, 48}}, e);
  ASSERT_NE(w, nullptr);
  HWND h = reinterpret_cast<HWND>(w->Handle());
  const int32_t dpi = win32::WindowDpi(h);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Cursors", 0, nullptr, 0,
                            KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD chosen = 96;  // size 5 of the settings
  RegSetValueExW(key, L"CursorBaseSize", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&chosen),
                 sizeof chosen);
  EXPECT_EQ(win32::UserPointerSize(h), (96 * dpi + 48) / 96);
  RegDeleteValueW(key, L"CursorBaseSize");  // the tests' own prefix: none chosen before
  RegCloseKey(key);
  EXPECT_EQ(win32::UserPointerSize(h), win32::SystemMetricAtDpi(SM_CXCURSOR, dpi));
}

}  // namespace
}  // namespace tl
