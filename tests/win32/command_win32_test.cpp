// Push buttons in a real captioned window, driven by real input (SendInput)
// through the win32 back end: the window under the pointer, capture, focus
// moved by the Tab key, clicks counted, and the faces read back from the
// screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "backends/win32/win32_platform.h"
#include "controls/command.h"

namespace tl {
namespace {

using SP = StatePicture;

struct Host : ControlHost {
  explicit Host(Win32Platform& p) {
    window = p.OpenWindow({"Tidelight button test", WindowKind::Dialog, {60, 40, 460, 260}}, sink);
  }
  Window* HostWindow() override { return window.get(); }
  Font AmbientFont() override { return Command::DesignFont(); }
  WindowEvents sink;
  std::unique_ptr<Window> window;
};

HWND Hwnd(const Window* w) { return reinterpret_cast<HWND>(w->Handle()); }

// Lets the messages run for a while, timers included.
void RunFor(Win32Platform& p, DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    p.PumpMessages();
    Sleep(5);
  } while (GetTickCount() - start < ms);
}

// Lets the messages run until `done` holds, for at most a few seconds (a
// loaded machine may be slow to deliver input and ticks).
template <class Done>
void RunUntil(Win32Platform& p, Done done) {
  const DWORD start = GetTickCount();
  while (!done() && GetTickCount() - start < 5000) {
    p.PumpMessages();
    Sleep(5);
  }
  RunFor(p, 30);
}

void MoveTo(POINT at) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((at.x * 65536 + GetSystemMetrics(SM_CXSCREEN) / 2) / GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = static_cast<LONG>((at.y * 65536 + GetSystemMetrics(SM_CYSCREEN) / 2) / GetSystemMetrics(SM_CYSCREEN));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
}

void Button(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

void Key(WORD vk) {
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof in[0]);
}

// The middle of a control, in screen pixels.
POINT Middle(const Window* w) {
  RECT r;
  GetClientRect(Hwnd(w), &r);
  POINT pt{r.right / 2, r.bottom / 2};
  ClientToScreen(Hwnd(w), &pt);
  return pt;
}

// What the screen shows where the control is.
Surface ReadBack(const Window* w, int32_t width, int32_t height) {
  POINT origin{0, 0};
  ClientToScreen(Hwnd(w), &origin);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC mem = CreateCompatibleDC(nullptr);
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  HDC screen = GetDC(nullptr);
  ::BitBlt(mem, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  Surface s(width, height);
  std::memcpy(s.Data(), bits, s.ByteSize());
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) s.At(x, y) &= 0x00FFFFFF;
  return s;
}

int32_t Differences(const Surface& a, const Surface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  int32_t n = 0;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x) n += (a.At(x, y) & 0xFFFFFF) != (b.At(x, y) & 0xFFFFFF);
  return n;
}

TEST(CommandWin32, ButtonsFollowRealPointerButtonsAndKeyboard) {
  Win32Platform p;
  Host host(p);
  ASSERT_NE(host.window, nullptr);
  std::map<const Command*, int> clicks;
  auto add = [&](TwipRect at, const char* caption) {
    auto c = std::make_unique<Command>(p, host, at);
    PropertyBag bag{{"Caption", std::string(caption)}};
    c->Load(&bag);
    c->Click = [&clicks, b = c.get()] { ++clicks[b]; };
    return c;
  };
  auto a = add({300, 300, 1215, 375}, "設定");
  auto b = add({1800, 300, 1215, 375}, "キャンセル");
  auto c = add({300, 1200, 555, 375}, "参照");
  ASSERT_NE(a->window(), nullptr);
  host.window->Show();
  SetForegroundWindow(Hwnd(host.window.get()));
  for (Command* k : {a.get(), b.get(), c.get()}) k->Initialize();
  // A resting place over the host itself, away from the buttons.
  POINT rest{0, 0};
  ClientToScreen(Hwnd(host.window.get()), &rest);
  rest.x += 300;
  rest.y += 150;
  MoveTo(rest);
  RunFor(p, 300);

  auto shows = [&](const Command& k) {
    const Surface& s = k.Shown();
    return Differences(ReadBack(k.window(), s.Width(), s.Height()), s);
  };
  EXPECT_EQ(shows(*a), 0) << "the face as painted is on the screen";
  EXPECT_EQ(Differences(a->Shown(), a->Face()) > 0, true) << "the caption was drawn";

  MoveTo(Middle(a->window()));
  RunUntil(p, [&] { return a->ButtonState() == 2; });
  EXPECT_EQ(a->ButtonState(), 2);
  EXPECT_EQ(a->LastPicture(), SP::HighLight);
  EXPECT_EQ(shows(*a), 0);

  Button(MOUSEEVENTF_LEFTDOWN);
  RunUntil(p, [&] { return a->ButtonState() == 4; });
  EXPECT_EQ(a->ButtonState(), 4);
  EXPECT_EQ(a->LastPicture(), SP::Pressed);
  EXPECT_EQ(GetFocus(), Hwnd(a->window()));
  Button(MOUSEEVENTF_LEFTUP);
  RunUntil(p, [&] { return clicks[a.get()] > 0; });
  EXPECT_EQ(clicks[a.get()], 1);
  EXPECT_EQ(a->LastPicture(), SP::HighLightSelect);
  EXPECT_EQ(shows(*a), 0);

  MoveTo(rest);
  RunUntil(p, [&] { return a->ButtonState() == 3; });  // the pointer watch sees it leave
  EXPECT_EQ(a->ButtonState(), 3);
  EXPECT_EQ(a->LastPicture(), SP::Selected);
  EXPECT_EQ(shows(*a), 0);

  Key(VK_TAB);  // the focus moves on to the next button
  RunUntil(p, [&] { return b->ButtonState() == 3; });
  EXPECT_EQ(GetFocus(), Hwnd(b->window()));
  EXPECT_EQ(a->ButtonState(), 1);
  EXPECT_EQ(a->LastPicture(), SP::Normal);
  EXPECT_EQ(b->ButtonState(), 3);
  EXPECT_EQ(b->LastPicture(), SP::Selected);
  EXPECT_EQ(shows(*b), 0);

  // Press on b, leave while held, a tick, release off: no click.
  MoveTo(Middle(b->window()));
  RunUntil(p, [&] { return b->ButtonState() == 4; });
  EXPECT_EQ(b->ButtonState(), 4);
  Button(MOUSEEVENTF_LEFTDOWN);
  RunUntil(p, [&] { return b->LeftDown(); });
  MoveTo(rest);
  RunUntil(p, [&] { return b->ButtonState() == 3; });
  EXPECT_EQ(b->ButtonState(), 3);
  Button(MOUSEEVENTF_LEFTUP);
  RunUntil(p, [&] { return !b->LeftDown(); });
  EXPECT_EQ(clicks[b.get()], 0);
  EXPECT_FALSE(b->LeftDown()) << "the held button got the release off it";

  // A right click over the third button clicks it without changing its look.
  MoveTo(Middle(c->window()));
  RunUntil(p, [&] { return c->ButtonState() == 2; });
  EXPECT_EQ(c->ButtonState(), 2);
  Button(MOUSEEVENTF_RIGHTDOWN);
  Button(MOUSEEVENTF_RIGHTUP);
  RunUntil(p, [&] { return clicks[c.get()] > 0; });
  EXPECT_EQ(clicks[c.get()], 1);
  EXPECT_EQ(c->LastPicture(), SP::HighLight);
  EXPECT_EQ(GetFocus(), Hwnd(b->window())) << "only a left press takes the focus";
  EXPECT_EQ(shows(*c), 0);

  // Disabled: the greyed look on screen, input ignored.
  c->SetEnabled(false);
  Button(MOUSEEVENTF_LEFTDOWN);
  Button(MOUSEEVENTF_LEFTUP);
  RunFor(p, 100);
  EXPECT_EQ(clicks[c.get()], 1);
  EXPECT_EQ(c->LastPicture(), SP::Disable);
  EXPECT_EQ(shows(*c), 0);
  MoveTo(rest);
  RunFor(p, 50);
}

TEST(CommandWin32, TheCaptionFontResolvesToAnInstalledJapaneseFace) {
  Win32Platform p;
  const std::string face = ResolveFace(p, Command::DesignFont());
  RecordProperty("caption_face", face);
  EXPECT_TRUE(p.HasFontFace(face, 128) || face == Command::DesignFont().name);
  EXPECT_FALSE(p.HasFontFace("No Such Face Anywhere", 128));
  // Text lands inside its rectangle, and the greyed look differs from ink.
  Surface s(60, 20, 0x00FFFFFF);
  TextDraw t;
  t.text = "設定";
  t.rect = {5, 2, 55, 18};
  t.align = TextAlign::Centre;
  t.face = face;
  t.charset = 128;
  p.DrawText(s, t);
  int inked = 0, outside = 0;
  for (int32_t y = 0; y < 20; ++y)
    for (int32_t x = 0; x < 60; ++x)
      if ((s.At(x, y) & 0xFFFFFF) != 0xFFFFFF) (x >= 5 && x < 55 && y >= 2 && y < 18 ? inked : outside)++;
  EXPECT_GT(inked, 10);
  EXPECT_EQ(outside, 0);
  Surface grey(60, 20, 0x00FFFFFF);
  t.enabled = false;
  p.DrawText(grey, t);
  EXPECT_NE(grey, s);
}

}  // namespace
}  // namespace tl
