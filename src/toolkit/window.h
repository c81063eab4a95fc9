#pragma once
// Platform windows as the subsystems see them: a window shows pixels that we
// present to it, runs timers, and reports input to its event sink.
#include <cstdint>
#include <memory>
#include <string>

#include "gfx/surface.h"

namespace tl {

using NativeHandle = intptr_t;  // the platform's window handle as a number

// Virtual-key codes the program looks at.
namespace vk {
inline constexpr int32_t kShift = 0x10;
inline constexpr int32_t kControl = 0x11;
inline constexpr int32_t kEscape = 0x1B;
inline constexpr int32_t kSpace = 0x20;
}  // namespace vk

// Mouse pointers a window can show, numbered as the toolkit numbers them.
enum class MousePointer : int32_t { Default = 0, Hourglass = 11 };

class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  virtual void OnTimer(int32_t /*timerId*/) {}
  virtual void OnKeyDown(int32_t /*virtualKey*/) {}
  virtual void OnMouseDown(int32_t /*x*/, int32_t /*y*/) {}
  virtual void OnMouseMove(int32_t /*x*/, int32_t /*y*/) {}
  // The window is gone: destroyed by its host or by the platform.
  virtual void OnDestroyed() {}
};

enum class WindowKind {
  Popup,  // borderless top-level window (saver screen)
  Child,  // child of a foreign host window (preview)
  Dialog, // captioned top-level window
};

struct WindowSpec {
  std::string title;  // UTF-8
  WindowKind kind = WindowKind::Popup;
  Rect rect;              // screen pixels; for a child, pixels inside the host
  NativeHandle host = 0;  // the host of a child window
  uint32_t background = 0;  // pixel value shown where nothing was presented
};

class Window {
 public:
  virtual ~Window() = default;  // destroys the platform window without events
  virtual NativeHandle Handle() const = 0;
  virtual void Show() = 0;
  // Above every non-topmost window, without moving or activating it.
  virtual void SetTopmost() = 0;
  virtual void Move(const Rect& rect) = 0;
  // Shows `dirty` of `pixels` (client coordinates, from the origin). A window
  // shows one surface: it repaints from the pixels last presented, which
  // must live as long as the window.
  virtual void Present(const Surface& pixels, const Rect& dirty) = 0;
  virtual void StartTimer(int32_t timerId, uint32_t intervalMs) = 0;
  virtual void StopTimer(int32_t timerId) = 0;
  // The title bar's text (UTF-8).
  virtual std::string Caption() const = 0;
  // The pointer shown over the window.
  virtual void SetMousePointer(MousePointer pointer) = 0;
};

}  // namespace tl
