#pragma once
// A simulated window: keeps what was presented to it as its screen pixels,
// records its calls, and owns its timers' schedule.
#include <map>
#include <string>
#include <vector>

#include "gfx/surface.h"
#include "toolkit/window.h"

namespace tl {

class HeadlessPlatform;

class HeadlessWindow : public Window {
 public:
  HeadlessWindow(HeadlessPlatform& platform, const WindowSpec& spec, WindowEvents& events,
                 NativeHandle handle);
  ~HeadlessWindow() override;
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  NativeHandle Handle() const override { return handle_; }
  void Show() override;
  void ShowWithoutActivating() override;
  void SetTopmost() override;
  void Move(const Rect& rect) override;
  void Present(const Surface& pixels, const Rect& dirty) override;
  using Window::Present;
  void StartTimer(int32_t timerId, uint32_t intervalMs) override;
  void StopTimer(int32_t timerId) override;
  void SetFocus() override;

  bool IsChild() const { return spec.kind == WindowKind::Child || spec.kind == WindowKind::Control; }
  std::string Caption() const override { return spec.title; }
  void SetMousePointer(MousePointer pointer) override;
  void SetCustomPointer(const PointerPicture& picture) override;
  void Close() override;

  // The window is gone (closed by the user, or its host destroyed): its
  // timers stop and its event sink is told.
  void Destroy();

  // What the tests look at.
  bool destroyed = false;
  WindowSpec spec;
  bool shown = false;
  bool topmost = false;
  MousePointer mousePointer = MousePointer::Default;
  std::vector<MousePointer> pointersSet;  // every change, in order
  PointerPicture customPointer;
  Surface screen;                  // the client area as last presented
  std::vector<Rect> presented;     // every dirty rectangle, in order
  struct Timer {
    uint32_t intervalMs;
    uint64_t due;
  };
  std::map<int32_t, Timer> timers;  // running timers by id
  WindowEvents& events;

 private:
  HeadlessPlatform& platform_;
  NativeHandle handle_;
};

}  // namespace tl
