// Screen, clock, windows and the message loop of the win32 back end.
#include <windows.h>
#include <dwmapi.h>
#include <mmsystem.h>

#include <cstring>

#include "toolkit/win32/gdi_handles.h"
#include "toolkit/win32/wide_text.h"
#include "toolkit/win32/win32_platform.h"
#include "toolkit/win32/win32_window.h"

namespace tl {

using win32::DibSection;
using win32::ScreenDc;
using win32::Wide;

int32_t Win32Platform::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int32_t Win32Platform::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

namespace {
int32_t TwipsPerPixel(int index) {
  ScreenDc dc;
  const int dpi = GetDeviceCaps(dc.get(), index);
  return dpi > 0 ? (1440 + dpi / 2) / dpi : 15;
}
}  // namespace

int32_t Win32Platform::TwipsPerPixelX() { return TwipsPerPixel(LOGPIXELSX); }
int32_t Win32Platform::TwipsPerPixelY() { return TwipsPerPixel(LOGPIXELSY); }

int32_t Win32Platform::ScreenBitsPerPixel() {
  ScreenDc dc;
  return GetDeviceCaps(dc.get(), BITSPIXEL);
}

bool Win32Platform::SnapshotDesktop(Surface& into) {
  DibSection copy(into.Width(), into.Height());
  if (!copy.ok()) return false;
  HWND desktop = GetDesktopWindow();
  HDC dc = GetDC(desktop);
  const BOOL ok = ::BitBlt(copy.dc(), 0, 0, into.Width(), into.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(desktop, dc);
  GdiFlush();
  if (!ok) return false;
  std::memcpy(into.Data(), copy.bits(), into.ByteSize());
  return true;
}

uint32_t Win32Platform::TickCount() { return GetTickCount(); }

void Win32Platform::ShowMessageBox(std::string_view text, std::string_view title,
                                   MessageIcon icon) {
  UINT flags = MB_OK | MB_TASKMODAL;
  switch (icon) {
    case MessageIcon::Error: flags |= MB_ICONERROR; break;
    case MessageIcon::Information: flags |= MB_ICONINFORMATION; break;
    case MessageIcon::Exclamation: flags |= MB_ICONEXCLAMATION; break;
    case MessageIcon::Question: flags |= MB_ICONQUESTION; break;
  }
  MessageBoxW(GetActiveWindow(), Wide(text).c_str(), Wide(title).c_str(), flags);
}

std::unique_ptr<Window> Win32Platform::OpenWindow(const WindowSpec& spec, WindowEvents& events) {
  auto w = std::make_unique<win32::Win32Window>(spec, events);
  if (!w->ok()) return nullptr;
  return w;
}

bool Win32Platform::HostWindowRect(NativeHandle window, Rect& rect) {
  RECT r{};
  if (!::GetWindowRect(reinterpret_cast<HWND>(window), &r)) return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

void Win32Platform::PumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      quitSeen_ = true;
      return;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

void Win32Platform::WaitForFrame() {
  PumpMessages();
  // With composition the compositor's clock paces us; DwmFlush returns after
  // the next composed frame.
  BOOL composed = FALSE;
  if (SUCCEEDED(DwmIsCompositionEnabled(&composed)) && composed && SUCCEEDED(DwmFlush())) {
    PumpMessages();
    return;
  }
  // Otherwise wait, handling input as it arrives, until the display's next refresh.
  LARGE_INTEGER freq, now;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&now);
  if (framePeriod_ == 0) {  // asked once: the refresh rate is fixed for the run
    ScreenDc dc;
    int hz = GetDeviceCaps(dc.get(), VREFRESH);
    if (hz < 24 || hz > 500) hz = 60;
    framePeriod_ = freq.QuadPart / hz;
  }
  const int64_t period = framePeriod_;
  if (nextFrame_ <= now.QuadPart || nextFrame_ - now.QuadPart > 2 * period)
    nextFrame_ = now.QuadPart + period;
  timeBeginPeriod(1);
  while (!quitSeen_) {
    QueryPerformanceCounter(&now);
    if (now.QuadPart >= nextFrame_) break;
    const DWORD ms = static_cast<DWORD>((nextFrame_ - now.QuadPart) * 1000 / freq.QuadPart);
    if (MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
        WAIT_OBJECT_0)
      PumpMessages();
  }
  timeEndPeriod(1);
  nextFrame_ += period;
}

void Win32Platform::RunMessageLoop() {
  if (quitSeen_) return;
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

}  // namespace tl
