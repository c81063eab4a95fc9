#pragma once
// The system's SCROLLBAR and COMBOBOX controls as our ScrollBar and
// DropDown. A scroll bar reports to its parent (WM_HSCROLL); our window
// hands that message to the control it came from (ForwardScroll).
#include <windows.h>

#include <string>

#include "backends/win32/gdi_handles.h"
#include "toolkit/drop_down.h"
#include "toolkit/scroll_bar.h"

namespace tl::win32 {

class Win32ScrollBar : public ScrollBar {
 public:
  Win32ScrollBar(const ScrollBarSpec& spec, ScrollBarEvents& events);
  ~Win32ScrollBar() override;
  Win32ScrollBar(const Win32ScrollBar&) = delete;
  Win32ScrollBar& operator=(const Win32ScrollBar&) = delete;

  int32_t Value() const override;
  bool SetValue(int32_t value) override;
  void Move(const Rect& rect) override;
  bool ok() const { return hwnd_ != nullptr; }

  // A WM_HSCROLL that names `control`: true when it was one of ours.
  static bool ForwardScroll(HWND control, WPARAM wp);

 private:
  void Scrolled(int code);
  ScrollBarSpec spec_;
  ScrollBarEvents& events_;
  HWND hwnd_ = nullptr;
  int32_t dragStart_ = 0;
  bool dragging_ = false;
};

class Win32DropDown : public DropDown {
 public:
  explicit Win32DropDown(const DropDownSpec& spec);
  ~Win32DropDown() override;
  Win32DropDown(const Win32DropDown&) = delete;
  Win32DropDown& operator=(const Win32DropDown&) = delete;

  std::string Text() const override;
  void SetText(const std::string& text) override;
  void AddEntry(const std::string& text) override;
  int32_t EntryCount() const override;
  bool Enabled() const override;
  void SetEnabled(bool enabled) override;
  void Move(const Rect& rect, int32_t listHeightPx, int32_t fontHeightPx) override;
  bool ok() const { return hwnd_ != nullptr; }

 private:
  void SetFont(int32_t heightPx);
  HWND hwnd_ = nullptr;
  std::wstring face_;
  UniqueFont font_;
};

}  // namespace tl::win32
