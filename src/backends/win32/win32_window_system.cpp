// Windows, the clock and the message loop of the win32 back end.
#include <windows.h>
#include <dwmapi.h>
#include <mmsystem.h>

#include <atomic>

#include "backends/win32/gdi_handles.h"
#include "backends/win32/wide_text.h"
#include "base/frame_pacing.h"
#include "backends/win32/win32_platform.h"
#include "backends/win32/win32_window.h"

namespace tl {

using win32::Narrow;
using win32::Wide;
using win32::WindowDc;

namespace {
// The Tab key moves the focus among the controls of a window that asks for
// it (WS_EX_CONTROLPARENT); every other message goes the usual way.
void Dispatch(MSG& m) {
  HWND root = m.hwnd ? GetAncestor(m.hwnd, GA_ROOT) : nullptr;
  if (root && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
      IsDialogMessageW(root, &m))
    return;
  TranslateMessage(&m);
  DispatchMessageW(&m);
}
}  // namespace

std::string Win32Platform::CommandLine() { return Narrow(GetCommandLineW()); }

bool Win32Platform::FindWindowByTitle(std::string_view title) {
  return FindWindowW(nullptr, Wide(title).c_str()) != nullptr;
}

int32_t Win32Platform::ShowCursor(bool show) { return ::ShowCursor(show ? TRUE : FALSE); }

std::unique_ptr<Window> Win32Platform::OpenWindow(const WindowSpec& spec, WindowEvents& events) {
  auto w = std::make_unique<win32::Win32Window>(spec, events);
  if (!w->ok()) return nullptr;
  return w;
}

bool Win32Platform::WindowRect(NativeHandle window, Rect& rect) {
  RECT r{};
  if (!::GetWindowRect(reinterpret_cast<HWND>(window), &r)) return false;
  rect = {r.left, r.top, r.right, r.bottom};
  return true;
}

NativeHandle Win32Platform::WindowAt(int32_t x, int32_t y) {
  return reinterpret_cast<NativeHandle>(WindowFromPoint(POINT{x, y}));
}

void Win32Platform::AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) {
  const RECT a{from.left, from.top, from.right, from.bottom};
  const RECT b{to.left, to.top, to.right, to.bottom};
  DrawAnimatedRects(reinterpret_cast<HWND>(window), IDANI_CAPTION, &a, &b);
}

void Win32Platform::SetScreenPointer(MousePointer pointer) { win32::SetScreenPointer(pointer); }

uint32_t Win32Platform::TickCount() { return GetTickCount(); }

void Win32Platform::EndProgram() {
  ended_ = true;
  ExitProcess(0);
}

void Win32Platform::PumpMessages() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      quitSeen_ = true;
      return;
    }
    Dispatch(m);
  }
}

namespace {
std::atomic<uint32_t> displayChanges{0};
}  // namespace

void NoteDisplayChange() { ++displayChanges; }

int64_t Win32Platform::FramePeriod() {
  // Asked once, and again after the displays changed (another monitor
  // became the primary, or the primary took another mode).
  if (framePeriod_ == 0 || displayChangesSeen_ != displayChanges.load()) {
    displayChangesSeen_ = displayChanges.load();
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    int hz = GetDeviceCaps(WindowDc(nullptr).get(), VREFRESH);
    if (hz < 24 || hz > 500) hz = 60;
    counterHz_ = freq.QuadPart;
    framePeriod_ = freq.QuadPart / hz;
    pacer_ = PassPacer(hz);
  }
  return framePeriod_;
}

int64_t Win32Platform::Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

void Win32Platform::WaitOnTimerUntil(int64_t deadline) {
  timeBeginPeriod(1);
  // One wait at least, even for a deadline already past: the frame's only
  // look at the queue. Under Wine every look is a round trip to its server,
  // so a pass with no input makes this one and no other (a PeekMessage that
  // finds nothing is another round trip, and yields the processor besides).
  do {
    const int64_t left = deadline - Now();
    // Rounded up: a wait of 0 ms in the frame's last millisecond would spin,
    // and spinning every frame costs more than all the drawing.
    const DWORD ms =
        left > 0 ? static_cast<DWORD>((left * 1000 + counterHz_ - 1) / counterHz_) : 0;
    // Returns at once while input waits in the queue, handled or not.
    if (MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
        WAIT_OBJECT_0)
      break;  // the wait ran its course: the frame is due, to the timer's grain
    PumpMessages();
  } while (!quitSeen_ && Now() < deadline);
  timeEndPeriod(1);
}

void Win32Platform::WaitForFrame() {
  FramePeriod();
  // A faster display than 60 Hz waits more than one refresh a pass. Each
  // refresh's wait handles the input that came meanwhile.
  for (int32_t n = pacer_.RefreshesToNextPass(); n > 0 && !quitSeen_; --n) WaitForRefresh();
}

void Win32Platform::WaitForRefresh() {
  const int64_t period = FramePeriod();
  // With composition the compositor's clock paces us; DwmFlush returns after
  // the next composed frame. Where it returns at once (the display off,
  // nothing to compose, or Wine's DwmFlush, which waits for nothing), the
  // rest of the period is waited on the timer.
  BOOL composed = FALSE;
  if (SUCCEEDED(DwmIsCompositionEnabled(&composed)) && composed && SUCCEEDED(DwmFlush())) {
    const int64_t flushed = Now();
    if (const int64_t rest = WaitAfterFlush(flushed - lastFrame_, period); rest > 0)
      WaitOnTimerUntil(flushed + rest);
    else
      PumpMessages();
    lastFrame_ = Now();
    return;
  }
  // Otherwise wait, handling input as it arrives, until the display's next refresh.
  const int64_t now = Now();
  if (nextFrame_ <= now || nextFrame_ - now > 2 * period) nextFrame_ = now + period;
  WaitOnTimerUntil(nextFrame_);
  nextFrame_ += period;
  lastFrame_ = Now();
}

void Win32Platform::RunModal(Window& window) {
  if (quitSeen_) return;
  MSG m;
  // The window's handle turns 0 when it is destroyed.
  while (window.Handle() != 0 && GetMessageW(&m, nullptr, 0, 0) > 0) {
    Dispatch(m);
  }
}

void Win32Platform::RunMessageLoop() {
  if (quitSeen_) return;
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    Dispatch(m);
  }
}

}  // namespace tl
