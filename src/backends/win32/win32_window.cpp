#include "backends/win32/win32_window.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "backends/win32/dpi_functions.h"
#include "backends/win32/gdi_handles.h"
#include "backends/win32/win32_platform.h"
#include "backends/win32/win32_pointer_size.h"
#include "backends/win32/win32_controls.h"
#include "gfx/raster.h"
#include "backends/win32/wide_text.h"

namespace tl::win32 {

namespace {

constexpr wchar_t kClass[] = L"TidelightWindow";

void RegisterOnce() {
  static bool done = false;
  if (done) return;
  WNDCLASSW c{};
  c.lpfnWndProc = DefWindowProcW;  // replaced per window once created
  c.hInstance = GetModuleHandleW(nullptr);
  c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  c.hIcon = LoadIconW(c.hInstance, MAKEINTRESOURCEW(1));
  c.lpszClassName = kClass;
  RegisterClassW(&c);
  done = true;
}

}  // namespace

Win32Window::Win32Window(const WindowSpec& spec, WindowEvents& events)
    : events_(events), background_(spec.background) {
  RegisterOnce();
  DWORD style = WS_POPUP, ex = spec.topmost ? WS_EX_TOPMOST : 0;
  if (spec.noTaskbarButton) ex |= WS_EX_TOOLWINDOW;
  HWND parent = nullptr;
  switch (spec.kind) {
    case WindowKind::Popup: break;
    case WindowKind::Child:
      style = WS_CHILD;
      parent = reinterpret_cast<HWND>(spec.host);
      break;
    case WindowKind::Dialog:
      style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
      // The message loop lets the Tab key move the focus among its controls.
      ex |= WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
      break;
    case WindowKind::Control:
      style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS;
      parent = reinterpret_cast<HWND>(spec.host);
      break;
  }
  control_ = spec.kind == WindowKind::Control;
  captioned_ = spec.kind == WindowKind::Dialog;
  Rect r = spec.rect;
  if (spec.rectIsClient) {
    // The frame as the monitor it is made on draws it.
    RECT outer{r.left, r.top, r.right, r.bottom};
    AdjustForDpi(outer, style, ex, DpiAt(outer));
    r = {outer.left, outer.top, outer.right, outer.bottom};
  }
  hwnd_ = CreateWindowExW(ex, kClass, Wide(spec.title).c_str(), style, r.left, r.top, r.Width(),
                          r.Height(), parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Window::Proc));
  // The system tells at once whether the display is on, and again at every
  // change. The session's display, not the physical console's: under Remote
  // Desktop, or for a user switched away, the console's says nothing of ours.
  if (spec.kind == WindowKind::Popup) {
    displayNotice_.reset(RegisterPowerSettingNotification(hwnd_, &GUID_SESSION_DISPLAY_STATUS,
                                                          DEVICE_NOTIFY_WINDOW_HANDLE));
    sessionNotices_ = HearSessionChanges(hwnd_);
  }
  if (spec.kind == WindowKind::Child)
    hostWatch_ =
        std::make_unique<HostWatch>(hwnd_, parent, [this] { events_.OnMonitorsChanged(); });
}

Win32Window::~Win32Window() {
  if (!hwnd_) return;
  displayNotice_.reset();
  hostWatch_.reset();
  sessionNotices_.reset();
  closing_ = true;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

void Win32Window::Show() { ShowWindow(hwnd_, SW_SHOWNORMAL); UpdateWindow(hwnd_); }

void Win32Window::ShowWithoutActivating() {
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd_);
}

void Win32Window::SetTopmost() {
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Window::Move(const Rect& r) {
  MoveWindow(hwnd_, r.left, r.top, r.Width(), r.Height(), TRUE);
}

namespace {
// Draws `r` of our top-down 32-bit pixels onto a device context.
void DrawPixels(HDC dc, const Surface& pixels, const Rect& r) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = pixels.Width();
  bi.bmiHeader.biHeight = -r.Height();  // just the band of rows drawn
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, r.left, r.top, r.Width(), r.Height(), r.left, 0, 0, r.Height(),
                    pixels.Row(r.top), &bi, DIB_RGB_COLORS);
}
}  // namespace

void Win32Window::Present(const Surface& pixels, const Rect& dirty) {
  shown_ = &pixels;
  const Rect r = Intersect(dirty, pixels.Bounds());
  if (r.Empty()) return;
  DrawPixels(PixelCopyDc(hwnd_).get(), pixels, r);
}

void Win32Window::Present(const Surface& pixels, std::span<const Rect> parts) {
  shown_ = &pixels;
  // One device context for them all: each costs the system a round trip.
  const auto dc = PixelCopyDc(hwnd_);
  for (const Rect& part : parts)
    if (const Rect r = Intersect(part, pixels.Bounds()); !r.Empty()) DrawPixels(dc.get(), pixels, r);
}

void Win32Window::StartTimer(int32_t timerId, uint32_t intervalMs) {
  SetTimer(hwnd_, static_cast<UINT_PTR>(timerId), intervalMs, nullptr);
}

void Win32Window::StopTimer(int32_t timerId) { KillTimer(hwnd_, static_cast<UINT_PTR>(timerId)); }

void Win32Window::SetFocus() { ::SetFocus(hwnd_); }
std::string Win32Window::Caption() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void Win32Window::SetMousePointer(MousePointer pointer) {
  pointer_ = pointer == MousePointer::Hourglass
                 ? LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT))
             : pointer == MousePointer::Custom ? custom_.get()
                                               : nullptr;
  // Show it at once when the pointer is over the window, as a move would.
  POINT at;
  if (GetCursorPos(&at) && WindowFromPoint(at) == hwnd_)
    SetCursor(pointer_ ? pointer_ : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

void Win32Window::SetCustomPointer(const PointerPicture& picture) {
  // At the size of the other pointers, which grows with the resolution and
  // the user's choice; a pointer of another size would be shrunk or cut.
  const PointerBits bits = PointerAtSize(picture, UserPointerSize(hwnd_));
  HCURSOR made = CreateCursor(GetModuleHandleW(nullptr), bits.hotX, bits.hotY, bits.size, bits.size,
                              bits.andBits.data(), bits.xorBits.data());
  if (!made) return;
  const bool inUse = pointer_ != nullptr && pointer_ == custom_.get();
  if (inUse) pointer_ = made;
  custom_.reset(made);
  if (inUse) SetMousePointer(MousePointer::Custom);
}

void Win32Window::Close() {
  if (hwnd_) DestroyWindow(hwnd_);
}

namespace {
HCURSOR screenPointer = nullptr;  // over every window of ours, when set
}  // namespace

void SetScreenPointer(MousePointer pointer) {
  screenPointer = pointer == MousePointer::Hourglass
                      ? LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT))
                      : nullptr;
  SetCursor(screenPointer ? screenPointer : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

void Win32Window::Paint() {
  const auto paint = BeginPaintSession(hwnd_);
  const RECT& area = paint.closer().paint.rcPaint;
  const Rect want{area.left, area.top, area.right, area.bottom};
  if (shown_) {
    DrawPixels(paint.get(), *shown_, Intersect(want, shown_->Bounds()));
    // A client area larger than the pixels shows the background beyond them.
    ExcludeClipRect(paint.get(), 0, 0, shown_->Width(), shown_->Height());
  }
  const UniqueBrush b(CreateSolidBrush(
      RGB((background_ >> 16) & 0xFF, (background_ >> 8) & 0xFF, background_ & 0xFF)));
  ::FillRect(paint.get(), &area, b.get());
}

LRESULT CALLBACK Win32Window::Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(w, GWLP_USERDATA));
  if (!self) return DefWindowProcW(w, m, wp, lp);
  return self->Handle(m, wp, lp);
}

LRESULT Win32Window::Handle(UINT m, WPARAM wp, LPARAM lp) {
  if (LRESULT answer = 0; TellSessionNotice(m, wp, events_, answer)) return answer;
  switch (m) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // the presented pixels cover the client area
    case WM_TIMER:
      if (hostWatch_ && wp == HostWatch::kTimer) {
        hostWatch_->Check();
        return 0;
      }
      events_.OnTimer(static_cast<int32_t>(wp));
      return 0;
    case WM_KEYDOWN:
      events_.OnKeyDown(static_cast<int32_t>(wp));
      return 0;
    case WM_SYSKEYDOWN:
      events_.OnKeyDown(static_cast<int32_t>(wp));
      // A captioned window keeps the system's keys: Alt+F4 closes it.
      if (captioned_ && hwnd_) return DefWindowProcW(hwnd_, m, wp, lp);
      return 0;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: {
      const MouseButton b = m == WM_LBUTTONDOWN   ? MouseButton::Left
                            : m == WM_RBUTTONDOWN ? MouseButton::Right
                                                  : MouseButton::Middle;
      // A handler may destroy this window and its owner with it.
      HWND self = hwnd_;
      if (control_) SetCapture(self);
      events_.OnButtonDown(b, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      if (control_ && b == MouseButton::Left && IsWindow(self) && GetFocus() != self)
        ::SetFocus(self);
      return 0;
    }
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
      const MouseButton b = m == WM_LBUTTONUP   ? MouseButton::Left
                            : m == WM_RBUTTONUP ? MouseButton::Right
                                                : MouseButton::Middle;
      if (control_ && (wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && GetCapture() == hwnd_)
        ReleaseCapture();
      events_.OnButtonUp(b, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      return 0;
    }
    case WM_CLOSE:
      if (captioned_) events_.OnClosing();
      break;  // the system destroys the window
    case WM_ACTIVATEAPP: events_.OnAppActivation(wp != FALSE); return 0;
    case WM_SYSCOMMAND:
      // A refused screen saver does not start; the display's power
      // (SC_MONITORPOWER) and the rest are the system's, so the display sleeps.
      if ((wp & 0xFFF0) == SC_SCREENSAVE && !events_.OnScreenSaverRequest()) return 0;
      break;
    case WM_POWERBROADCAST:
      if (wp == PBT_POWERSETTINGCHANGE && lp) {
        const auto* notice = reinterpret_cast<const POWERBROADCAST_SETTING*>(lp);
        DWORD state = 1;
        if (IsEqualGUID(notice->PowerSetting, GUID_SESSION_DISPLAY_STATUS) &&
            notice->DataLength >= sizeof state) {
          std::memcpy(&state, notice->Data, sizeof state);
          events_.OnDisplayPower(state != 0);  // 0 off; 1 on and 2 dimmed are seen
        }
        return TRUE;
      }
      break;
    case WM_DISPLAYCHANGE:
      // Sent to every top-level window once the new layout is in place.
      NoteDisplayChange();
      events_.OnMonitorsChanged();
      break;
    case WM_DPICHANGED:
      if (const auto* r = reinterpret_cast<const RECT*>(lp))
        events_.OnDpiChanged(LOWORD(wp), HIWORD(wp), {r->left, r->top, r->right, r->bottom});
      return 0;
    case WM_GETDPISCALEDSIZE: {
      // The size the sink wants at the new resolution, so that the place
      // WM_DPICHANGED then suggests is already of that size.
      int32_t w = 0, h = 0;
      auto* size = reinterpret_cast<SIZE*>(lp);
      if (!size || !events_.ClientSizeAtDpi(static_cast<int32_t>(wp), w, h)) break;
      RECT outer{0, 0, w, h};
      if (!AdjustForDpi(outer, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                        static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)),
                        static_cast<int32_t>(wp)))
        break;
      size->cx = outer.right - outer.left;
      size->cy = outer.bottom - outer.top;
      return TRUE;
    }
    case WM_SETFOCUS: events_.OnFocus(true); return 0;
    case WM_KILLFOCUS: events_.OnFocus(false); return 0;
    case WM_MOUSEMOVE: events_.OnMouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
    case WM_HSCROLL:
      if (win32::Win32ScrollBar::ForwardScroll(reinterpret_cast<HWND>(lp), wp)) return 0;
      break;
    case WM_SETCURSOR:
      if (screenPointer) {
        SetCursor(screenPointer);
        return TRUE;
      }
      if (pointer_ && LOWORD(lp) == HTCLIENT) {
        SetCursor(pointer_);
        return TRUE;
      }
      break;
    case WM_NCDESTROY: {
      HWND w = hwnd_;
      const bool byUs = closing_;
      hwnd_ = nullptr;
      if (!byUs) events_.OnDestroyed();
      return DefWindowProcW(w, m, wp, lp);
    }
  }
  return DefWindowProcW(hwnd_, m, wp, lp);
}

}  // namespace tl::win32
