#pragma once
// Platform windows as the subsystems see them: a window shows pixels that we
// present to it, runs timers, and reports input to its event sink.
//
// Controls are child windows of our own (WindowKind::Control) inside one of
// our captioned windows. Each repaints from the pixels last presented to it,
// takes the keyboard focus when pressed with the left button or reached by
// the keyboard, and holds the pointer while a mouse button is down on it, so
// moves and the release come to it wherever the pointer goes meanwhile.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "gfx/surface.h"
#include "toolkit/pointer_picture.h"

namespace tl {

using NativeHandle = intptr_t;  // the platform's window handle as a number

// Virtual-key codes the program looks at.
namespace vk {
inline constexpr int32_t kShift = 0x10;
inline constexpr int32_t kControl = 0x11;
inline constexpr int32_t kEscape = 0x1B;
inline constexpr int32_t kSpace = 0x20;
}  // namespace vk

enum class MouseButton : uint8_t { Left, Right, Middle };

// Positions are client pixels of the window told.
// Mouse pointers a window can show, numbered as the toolkit numbers them.
// Custom: the window's own picture (SetCustomPointer).
enum class MousePointer : int32_t { Default = 0, Hourglass = 11, Custom = 99 };

// What the system says of the user's session and of the machine.
enum class SessionNotice {
  Locked,      // the session locked (the user, a policy, a phone walked away)
  Ending,      // the user logs off or the machine shuts down or restarts
  Suspending,  // the machine goes to sleep
};

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnTimer(int32_t /*timerId*/) {}
  virtual void OnKeyDown(int32_t /*virtualKey*/) {}
  // Any button pressed; sinks that tell the buttons apart take OnButtonDown.
  virtual void OnMouseDown(int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnButtonDown(MouseButton, int32_t x, int32_t y) { OnMouseDown(x, y); }
  virtual void OnButtonUp(MouseButton, int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnMouseMove(int32_t /*x*/, int32_t /*y*/) {}
  // The keyboard focus arrived (true) or left (false).
  virtual void OnFocus(bool /*gained*/) {}
  // The user closes a captioned window (its close box, Alt+F4); it is
  // destroyed right after, still whole while this runs.
  virtual void OnClosing() {}
  // The window is gone: destroyed by its host or by the platform.
  virtual void OnDestroyed() {}

  // --- what the system tells a top-level window ---
  // The window moved to a monitor of another resolution, or the monitor's
  // resolution changed: `suggested` is where the system would put it (screen
  // pixels, frame included). Nothing happens unless the sink acts.
  virtual void OnDpiChanged(int32_t /*dpiX*/, int32_t /*dpiY*/, const Rect& /*suggested*/) {}
  // The client size a captioned window wants at a resolution; false lets the
  // system scale it in proportion.
  virtual bool ClientSizeAtDpi(int32_t /*dpi*/, int32_t& /*width*/, int32_t& /*height*/) {
    return false;
  }
  // The program became the one the user works in (true), or another
  // program's window took the foreground (false).
  virtual void OnAppActivation(bool /*active*/) {}
  // The system's idle timer would start the screen saver; false refuses.
  virtual bool OnScreenSaverRequest() { return true; }
  // The display was switched off (false) or on again (true); only a
  // borderless top-level window (Popup) hears of it.
  virtual void OnDisplayPower(bool /*on*/) {}
  // The monitors changed: one came or went, moved, took another mode, or
  // another became the primary; or the host standing for the screen
  // changed size. Screen answers the new layout. Top-level windows and
  // windows in a host standing for the screen hear of it.
  virtual void OnMonitorsChanged() {}
  // The session or the machine is changing (SessionNotice); only a
  // borderless top-level window (Popup) hears of it.
  virtual void OnSessionNotice(SessionNotice) {}
};

enum class WindowKind {
  Popup,  // borderless top-level window (saver screen)
  Child,  // child of a foreign host window (preview)
  Dialog, // captioned top-level window; the keyboard moves the focus among its controls
  Control,  // child of one of our windows (a control), reached by the Tab key
};

struct WindowSpec {
  std::string title;  // UTF-8
  WindowKind kind = WindowKind::Popup;
  Rect rect;              // screen pixels; for a child, client pixels of the host
  NativeHandle host = 0;  // the host of a child or a control
  uint32_t background = 0;  // pixel value shown where nothing was presented
  // A captioned window: `rect` is its client area, the frame grows around it.
  bool rectIsClient = false;
  // Made above every non-topmost window from the start.
  bool topmost = false;
  // A window of the program's own without a taskbar button of its own (a
  // saver's cover of another monitor): a button would raise that monitor's
  // taskbar above it.
  bool noTaskbarButton = false;
};

class Window {
 public:
  virtual ~Window() = default;  // destroys the platform window without events
  virtual NativeHandle Handle() const = 0;
  virtual void Show() = 0;
  // Shows it without taking the activation from the window that has it.
  virtual void ShowWithoutActivating() { Show(); }
  // Above every non-topmost window, without moving or activating it.
  virtual void SetTopmost() = 0;
  virtual void Move(const Rect& rect) = 0;
  // Shows `dirty` of `pixels` (client coordinates, from the origin). A window
  // shows one surface: it repaints from the pixels last presented, which
  // must live as long as the window.
  virtual void Present(const Surface& pixels, const Rect& dirty) = 0;
  // The same for several parts at once, as one drawing session.
  virtual void Present(const Surface& pixels, std::span<const Rect> parts) {
    for (const Rect& r : parts) Present(pixels, r);
  }
  virtual void StartTimer(int32_t timerId, uint32_t intervalMs) = 0;
  virtual void StopTimer(int32_t timerId) = 0;
  // Gives the window the keyboard focus.
  virtual void SetFocus() = 0;
  // The title bar's text (UTF-8).
  virtual std::string Caption() const = 0;
  // The pointer shown over the window.
  virtual void SetMousePointer(MousePointer pointer) = 0;
  // Destroys the platform window as a close by the user does: the event
  // sink hears OnDestroyed, and a modal run of the window ends.
  virtual void Close() = 0;
  // The picture MousePointer::Custom shows over this window.
  virtual void SetCustomPointer(const PointerPicture& picture) = 0;
};

}  // namespace tl
