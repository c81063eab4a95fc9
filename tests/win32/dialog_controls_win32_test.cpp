// The settings dialog's seam pieces against the real user32 (Wine's here):
// the system's scroll bar and combo box, our own pointer, the pointer over
// every window, a window sized by its client area, and the dialog itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "backends/win32/gdi_handles.h"
#include "backends/win32/wide_text.h"
#include "backends/win32/win32_platform.h"
#include "settings_ui/dialog_art.h"
#include "settings_ui/tidelight_p.h"

namespace tl {
namespace {

struct Bars : ScrollBarEvents {
  std::vector<int32_t> changes, scrolls;
  void OnChange(int32_t v) override { changes.push_back(v); }
  void OnScroll(int32_t v) override { scrolls.push_back(v); }
};

struct Sink : WindowEvents {
  int destroyed = 0, closing = 0;
  bool wholeWhileClosing = false;
  Window* window = nullptr;
  void OnClosing() override {
    ++closing;
    wholeWhileClosing = window && IsWindow(reinterpret_cast<HWND>(window->Handle())) && destroyed == 0;
  }
  void OnDestroyed() override { ++destroyed; }
};

struct Win32Dialog : ::testing::Test {
  Win32Platform p;
  Sink sink;
  std::unique_ptr<Window> w;
  void SetUp() override {
    WindowSpec spec{"Tidelight control test", WindowKind::Dialog, {40, 40, 340, 240}};
    spec.rectIsClient = true;
    w = p.OpenWindow(spec, sink);
    ASSERT_NE(w, nullptr);
    sink.window = w.get();
    w->Show();
  }
  HWND Hwnd() const { return reinterpret_cast<HWND>(w->Handle()); }
  HWND Child(const wchar_t* cls) const { return FindWindowExW(Hwnd(), nullptr, cls, nullptr); }
};

TEST_F(Win32Dialog, ACaptionedWindowGrowsItsFrameAroundTheClientSizeAsked) {
  RECT client{};
  GetClientRect(Hwnd(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
  Rect outer;
  ASSERT_TRUE(p.WindowRect(w->Handle(), outer));
  EXPECT_GT(outer.Height(), 200);
}

TEST_F(Win32Dialog, TheScrollBarKeepsItsRangeAndReportsEveryMove) {
  Bars events;
  auto bar = p.OpenScrollBar({{10, 10, 130, 27}, w->Handle(), 5, 50, 1, 1}, events);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->Value(), 5);
  EXPECT_FALSE(bar->SetValue(51));
  EXPECT_FALSE(bar->SetValue(4));
  EXPECT_EQ(bar->Value(), 5);
  EXPECT_TRUE(bar->SetValue(10));
  EXPECT_EQ(bar->Value(), 10);
  EXPECT_TRUE(events.changes.empty());  // setting it raises nothing

  HWND sb = Child(L"ScrollBar");
  ASSERT_NE(sb, nullptr);
  auto scroll = [&](int code) { SendMessageW(Hwnd(), WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(sb)); };
  scroll(SB_LINERIGHT);
  scroll(SB_PAGERIGHT);
  scroll(SB_RIGHT);
  scroll(SB_RIGHT);  // already there: no change
  scroll(SB_LINELEFT);
  scroll(SB_LEFT);
  scroll(SB_ENDSCROLL);
  EXPECT_EQ(events.changes, (std::vector<int32_t>{11, 12, 50, 49, 5}));
  EXPECT_EQ(bar->Value(), 5);

  // The keyboard, once it has the focus.
  SetFocus(sb);
  SendMessageW(sb, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(sb, WM_KEYDOWN, VK_END, 0);
  EXPECT_EQ(bar->Value(), 50);
  ASSERT_GE(events.changes.size(), 7u);
  EXPECT_EQ(events.changes[5], 6);
  EXPECT_EQ(events.changes.back(), 50);
}

TEST_F(Win32Dialog, TheDropDownHoldsUnicodeTextEntriesAndItsEnabling) {
  auto list = p.OpenDropDown({{10, 40, 51, 60}, w->Handle(), 160, "Tahoma", 11});
  ASSERT_NE(list, nullptr);
  for (int i = 0; i < 31; ++i) list->AddEntry(i == 0 ? "" : std::to_string(i));
  EXPECT_EQ(list->EntryCount(), 31);
  list->SetText("曲3");
  EXPECT_EQ(list->Text(), "曲3");
  EXPECT_TRUE(list->Enabled());
  list->SetEnabled(false);
  EXPECT_FALSE(list->Enabled());
  // The control goes with its window, and its owner after it is harmless.
  DestroyWindow(Hwnd());
  EXPECT_EQ(sink.destroyed, 1);
  list.reset();
}

TEST_F(Win32Dialog, PointersOfOurOwnAndTheScreensPointer) {
  w->SetCustomPointer(LinkPointer());
  w->SetMousePointer(MousePointer::Custom);
  w->SetMousePointer(MousePointer::Default);
  p.SetScreenPointer(MousePointer::Hourglass);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
  p.SetScreenPointer(MousePointer::Default);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

TEST_F(Win32Dialog, TheUsersCloseIsAnnouncedWhileTheWindowIsWhole) {
  SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(sink.closing, 1);
  EXPECT_TRUE(sink.wholeWhileClosing);
  EXPECT_EQ(sink.destroyed, 1);
  EXPECT_EQ(w->Handle(), 0);
}

TEST_F(Win32Dialog, CloseEndsAModalRunAndTellsTheSink) {
  PostMessageW(Hwnd(), WM_NULL, 0, 0);
  w->Close();
  EXPECT_EQ(sink.destroyed, 1);
  p.RunModal(*w);  // returns at once: the window is gone
  EXPECT_EQ(w->Handle(), 0);
}

TEST(Win32SettingsDialog, TheLabelsFaceHasJapaneseGlyphs) {
  // The face the dialog's labels and buttons resolve to draws 設定 and
  // 音楽 with real glyphs, not the boxes of a face without them.
  Win32Platform p;
  const std::string face = ResolveFace(p, dialog_layout::LabelFont(UiLanguage::Japanese));
  win32::UniqueFont font(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                     DEFAULT_PITCH, win32::Wide(face).c_str()));
  ASSERT_TRUE(font);
  const auto dc = win32::WindowDc(nullptr);
  HGDIOBJ old = SelectObject(dc.get(), font.get());
  WORD glyphs[4]{};
  const DWORD n = GetGlyphIndicesW(dc.get(), L"設定音楽", 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc.get(), old);
  ASSERT_EQ(n, 4u);
  for (WORD g : glyphs) EXPECT_NE(g, 0xFFFF) << face;
}

TEST(Win32SettingsDialog, OpensWithItsControlsAndClosesOnCancelWritingNothing) {
  Win32Platform p;
  BaseModule b;
  b.settings.FadeDepth = 30;
  b.settings.FadeSpeed = 20;
  b.settings.MusicKind = 1;
  Tidelight_P dlg(p, b);
  dlg.Show();
  ASSERT_NE(dlg.window(), nullptr);
  HWND h = reinterpret_cast<HWND>(dlg.window()->Handle());
  EXPECT_EQ(dlg.window()->Caption(), "<Tidelight>");
  RECT client{};
  GetClientRect(h, &client);
  const int32_t tpp = p.TwipsPerPixelX();
  EXPECT_EQ(client.right, (7440 + tpp / 2) / tpp);
  // Centred across with a third of the free height above, frame included.
  RECT outer{};
  GetWindowRect(h, &outer);
  const int32_t w = outer.right - outer.left, hh = outer.bottom - outer.top;
  EXPECT_LE(std::abs(outer.left - (p.Width() - w) / 2), 1);
  EXPECT_LE(std::abs(outer.top - (p.Height() - hh) / 3), 1);
  EXPECT_NE(FindWindowExW(h, nullptr, L"ComboBox", nullptr), nullptr);
  EXPECT_TRUE(dlg.RepeatList()->Enabled());
  EXPECT_EQ(dlg.RepeatList()->EntryCount(), 31);
  EXPECT_EQ(dlg.FadeBar()->Value(), 30);
  EXPECT_EQ(dlg.SpeedText(), "20");
  p.PumpMessages();
  dlg.Cancel();
  EXPECT_TRUE(dlg.Closed());
  EXPECT_FALSE(IsWindow(h));
}

TEST(Win32SettingsDialog, ANewResolutionPutsEveryControlWhereItsTwipsFallThere) {
  Win32Platform p;
  BaseModule b;
  Tidelight_P dlg(p, b);
  dlg.Show();
  ASSERT_NE(dlg.window(), nullptr);
  HWND h = reinterpret_cast<HWND>(dlg.window()->Handle());
  // The size it asks for at 144 DPI: a client of 744 x 518 with the frame around.
  SIZE size{};
  ASSERT_TRUE(SendMessageW(h, WM_GETDPISCALEDSIZE, 144, reinterpret_cast<LPARAM>(&size)));
  EXPECT_GT(size.cx, 744);
  EXPECT_GT(size.cy, 518);
  RECT suggested{40, 30, 40 + size.cx, 30 + size.cy};
  SendMessageW(h, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  RECT outer{};
  GetWindowRect(h, &outer);
  EXPECT_TRUE(EqualRect(&outer, &suggested));
  auto placeOf = [&](HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
    return Rect{r.left, r.top, r.right, r.bottom};
  };
  // At 10 twips a pixel: the repeat list at the panel's (180, 240) plus its
  // (1680, 780); "ｷｬﾝｾﾙ" at (6000, 4440), 1215 x 375 (121.5 and 37.5 to even).
  const Rect list = placeOf(FindWindowExW(h, nullptr, L"ComboBox", nullptr));
  EXPECT_EQ(std::make_pair(list.left, list.top), std::make_pair(186, 102));
  EXPECT_EQ(placeOf(reinterpret_cast<HWND>(dlg.CmdCan()->window()->Handle())), (Rect{600, 444, 722, 482}));
  dlg.Cancel();
  EXPECT_FALSE(IsWindow(h));
}

}  // namespace
}  // namespace tl
