#include "backends/win32/win32_controls.h"

#include "backends/win32/wide_text.h"
#include "backends/win32/win32_platform.h"

namespace tl::win32 {

namespace {
// The control may already be gone with its parent window.
void DestroyIfAlive(HWND w) {
  if (w && IsWindow(w)) {
    SetWindowLongPtrW(w, GWLP_USERDATA, 0);
    DestroyWindow(w);
  }
}
}  // namespace

Win32ScrollBar::Win32ScrollBar(const ScrollBarSpec& spec, ScrollBarEvents& events)
    : spec_(spec), events_(events) {
  const Rect& r = spec.rect;
  hwnd_ = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_HORZ,
                          r.left, r.top, r.Width(), r.Height(), reinterpret_cast<HWND>(spec.host),
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS | SIF_PAGE, spec.min, spec.max, 0, spec.min, 0};
  SetScrollInfo(hwnd_, SB_CTL, &si, TRUE);
}

Win32ScrollBar::~Win32ScrollBar() { DestroyIfAlive(hwnd_); }

int32_t Win32ScrollBar::Value() const { return GetScrollPos(hwnd_, SB_CTL); }

bool Win32ScrollBar::SetValue(int32_t value) {
  if (value < spec_.min || value > spec_.max) return false;
  SetScrollPos(hwnd_, SB_CTL, value, TRUE);
  return true;
}

void Win32ScrollBar::Move(const Rect& r) {
  MoveWindow(hwnd_, r.left, r.top, r.Width(), r.Height(), TRUE);
}

bool Win32ScrollBar::ForwardScroll(HWND control, WPARAM wp) {
  if (!control) return false;
  wchar_t cls[16]{};
  GetClassNameW(control, cls, 16);
  if (lstrcmpiW(cls, L"ScrollBar") != 0) return false;
  auto* self = reinterpret_cast<Win32ScrollBar*>(GetWindowLongPtrW(control, GWLP_USERDATA));
  if (!self) return false;
  self->Scrolled(LOWORD(wp));
  return true;
}

void Win32ScrollBar::Scrolled(int code) {
  const int32_t now = Value();
  auto moveTo = [&](int32_t v) {
    if (v == now) return;
    SetScrollPos(hwnd_, SB_CTL, v, TRUE);
    events_.OnChange(v);
  };
  switch (code) {
    case SB_LINELEFT: moveTo(ScrollTarget(spec_, now, -1, false)); break;
    case SB_LINERIGHT: moveTo(ScrollTarget(spec_, now, 1, false)); break;
    case SB_PAGELEFT: moveTo(ScrollTarget(spec_, now, -1, true)); break;
    case SB_PAGERIGHT: moveTo(ScrollTarget(spec_, now, 1, true)); break;
    case SB_LEFT: moveTo(spec_.min); break;
    case SB_RIGHT: moveTo(spec_.max); break;
    case SB_THUMBTRACK: {
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(hwnd_, SB_CTL, &si);
      if (!dragging_) dragStart_ = now;
      dragging_ = true;
      SetScrollPos(hwnd_, SB_CTL, si.nTrackPos, TRUE);
      events_.OnScroll(si.nTrackPos);
      break;
    }
    case SB_THUMBPOSITION: {
      const int32_t from = dragging_ ? dragStart_ : now;
      dragging_ = false;
      const int32_t v = static_cast<int32_t>(GetScrollPos(hwnd_, SB_CTL));
      if (v != from) events_.OnChange(v);
      break;
    }
    default: break;
  }
}

Win32DropDown::Win32DropDown(const DropDownSpec& spec) {
  const Rect& r = spec.rect;
  hwnd_ = CreateWindowExW(0, L"COMBOBOX", L"",
                          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
                          r.left, r.top, r.Width(), r.Height() + spec.listHeightPx,
                          reinterpret_cast<HWND>(spec.host), nullptr, GetModuleHandleW(nullptr),
                          nullptr);
  if (!hwnd_) return;
  face_ = Wide(spec.fontFace);
  SetFont(spec.fontHeightPx);
  // The edit field takes the height asked for, as far as its font allows.
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), r.Height() - 6);
}

void Win32DropDown::SetFont(int32_t heightPx) {
  if (face_.empty()) return;
  UniqueFont made(CreateFontW(-heightPx, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, face_.c_str()));
  if (!made) return;
  // The control draws with the new font before the old one goes.
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
  font_ = std::move(made);
}

void Win32DropDown::Move(const Rect& r, int32_t listHeightPx, int32_t fontHeightPx) {
  SetFont(fontHeightPx);
  MoveWindow(hwnd_, r.left, r.top, r.Width(), r.Height() + listHeightPx, TRUE);
  SendMessageW(hwnd_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), r.Height() - 6);
}

Win32DropDown::~Win32DropDown() { DestroyIfAlive(hwnd_); }

std::string Win32DropDown::Text() const {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

void Win32DropDown::SetText(const std::string& text) { SetWindowTextW(hwnd_, Wide(text).c_str()); }

void Win32DropDown::AddEntry(const std::string& text) {
  SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

int32_t Win32DropDown::EntryCount() const {
  return static_cast<int32_t>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0));
}

bool Win32DropDown::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Win32DropDown::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

}  // namespace tl::win32

namespace tl {

std::unique_ptr<ScrollBar> Win32Platform::OpenScrollBar(const ScrollBarSpec& spec,
                                                        ScrollBarEvents& events) {
  auto s = std::make_unique<win32::Win32ScrollBar>(spec, events);
  if (!s->ok()) return nullptr;
  return s;
}

std::unique_ptr<DropDown> Win32Platform::OpenDropDown(const DropDownSpec& spec) {
  auto d = std::make_unique<win32::Win32DropDown>(spec);
  if (!d->ok()) return nullptr;
  return d;
}

}  // namespace tl
