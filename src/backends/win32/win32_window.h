#pragma once
// A real window: WM_PAINT repaints it from the pixels last presented;
// messages go to the event sink unchanged. A control captures the mouse
// while a button is down on it and takes the focus on a left press. A
// borderless top-level window hears of the display's power and of its
// session's lock; a modal window disables its owner while it is open.
#include <windows.h>

#include <memory>
#include <string>

#include "backends/win32/win32_host_watch.h"
#include "backends/win32/win32_session.h"
#include "base/unique.h"

#include "toolkit/window.h"

namespace tl::win32 {

class Win32Window : public Window {
 public:
  Win32Window(const WindowSpec& spec, WindowEvents& events);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  NativeHandle Handle() const override { return reinterpret_cast<NativeHandle>(hwnd_); }
  void Show() override;
  void ShowWithoutActivating() override;
  void SetTopmost() override;
  void Move(const Rect& rect) override;
  void Present(const Surface& pixels, const Rect& dirty) override;
  void Present(const Surface& pixels, std::span<const Rect> parts) override;
  void StartTimer(int32_t timerId, uint32_t intervalMs) override;
  void StopTimer(int32_t timerId) override;
  void SetFocus() override;
  std::string Caption() const override;
  void SetMousePointer(MousePointer pointer) override;
  void SetCustomPointer(const PointerPicture& picture) override;
  void Close() override;

  bool ok() const { return hwnd_ != nullptr; }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT m, WPARAM wp, LPARAM lp);
  void Paint();

  WindowEvents& events_;
  HWND hwnd_ = nullptr;
  bool closing_ = false;  // destroyed by us: no event
  bool control_ = false;  // holds the pointer while pressed, takes the focus on a left press
  bool captioned_ = false;  // a dialog: the system's keys (Alt+F4) keep their meaning
  // The pixels last presented; they outlive the window's use of them, so a
  // repaint draws straight from them and the window keeps no copy.
  const Surface* shown_ = nullptr;
  uint32_t background_;
  HCURSOR pointer_ = nullptr;  // over the client area; none: the class's arrow
  struct DestroyPointer {
    void operator()(HCURSOR c) const { DestroyCursor(c); }
  };
  Unique<HCURSOR, DestroyPointer> custom_;  // our own picture, MousePointer::Custom
  struct StopPowerNotice {
    void operator()(HPOWERNOTIFY n) const { UnregisterPowerSettingNotification(n); }
  };
  Unique<HPOWERNOTIFY, StopPowerNotice> displayNotice_;  // the display's power, for Popup windows
  std::unique_ptr<HostWatch> hostWatch_;  // a Child's host, told as the screen changing size
  SessionNotices sessionNotices_;                        // the session's lock, for Popup windows
};

// The pointer over every window of ours; Default hands it back to the windows.
void SetScreenPointer(MousePointer pointer);

}  // namespace tl::win32
