#pragma once
// A real X window: exposures repaint it from the pixels last presented,
// which it sends with XShmPutImage (or XPutImage); core events go to the
// event sink as the seam names them. A borderless top-level window (the
// screen's cover) is override-redirect, so no window manager moves or
// frames it, and takes the keyboard when shown, as a shown window does on
// Windows. A hosted window takes no input: it belongs to the host's owner.
#include <memory>
#include <string>

#include "backends/x11/x11_connection.h"
#include "backends/x11/x11_handles.h"
#include "backends/x11/x11_image.h"

namespace tl::x11 {

class X11Window : public tl::Window {
 public:
  X11Window(Connection& c, const WindowSpec& spec, WindowEvents& events);
  ~X11Window() override;
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  bool ok() const { return window_ != 0; }
  NativeHandle Handle() const override { return static_cast<NativeHandle>(window_); }
  void Show() override;
  void SetTopmost() override;
  void Move(const Rect& rect) override;
  void Present(const Surface& pixels, const Rect& dirty) override;
  void Present(const Surface& pixels, std::span<const Rect> parts) override;
  void StartTimer(int32_t timerId, uint32_t intervalMs) override;
  void StopTimer(int32_t timerId) override;
  void SetFocus() override;
  std::string Caption() const override { return title_; }
  void SetMousePointer(MousePointer pointer) override;
  void SetCustomPointer(const PointerPicture& picture) override;
  void Close() override;

  // One event of this window, from the message loop.
  void Handle(const XEvent& e);
  void OnTimer(int32_t timerId) { events_.OnTimer(timerId); }
  // The monitors changed; a window of the screen, not a host's child, is told.
  void OnMonitorsChanged() {
    if (ownPlace_) events_.OnMonitorsChanged();
  }
  void OnDisplayPower(bool on) {
    if (ownPlace_) events_.OnDisplayPower(on);
  }
  // The pointer shown over the window now (blank while the cursor is hidden).
  void ApplyPointer();
  // A cover on the root that takes the keyboard (no host, no frame).
  bool Unmanaged() const { return grabsKeyboard_; }
  // Another program came in front of ours, as Windows' deactivation says.
  void OnDeactivated() { events_.OnAppActivation(false); }

 private:
  void Destroy();
  void Repaint(const Rect& r);
  // Presents from the surface's own memory where it lies in a segment the
  // server attached; false when it must be copied.
  bool PresentInPlace(const Surface& pixels, std::span<const Rect> parts);

  Connection& c_;
  WindowEvents& events_;
  XWindow window_ = 0;
  std::string title_;
  bool ownPlace_ = false;  // placed in the virtual screen, not in a host's client area
  bool takesInput_ = true;
  bool grabsKeyboard_ = false;
  bool raised_ = false;
  uint32_t background_ = 0;
  Atom closeAtom_ = 0;  // WM_DELETE_WINDOW, for a captioned window
  UniqueGc gc_;
  // The pixels last presented; they outlive the window's use of them.
  const Surface* shown_ = nullptr;
  std::unique_ptr<PixelImage> image_;     // a copy of the pixels for the server
  std::unique_ptr<SurfaceImage> inPlace_;  // or the pixels themselves
  MousePointer pointer_ = MousePointer::Default;
  UniqueCursor shape_;  // the pointer's cursor, when not the parent's
  UniqueCursor custom_;  // our own picture, MousePointer::Custom
};

// The seam's virtual-key code for an X key.
int32_t VirtualKeyOf(KeySym key);

}  // namespace tl::x11
