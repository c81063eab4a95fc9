#pragma once
// A borderless top-level window of the Wayland back end: a layer surface
// on the overlay layer of the output it covers, anchored to every edge, no
// other surface moved aside (exclusive zone -1), taking the keyboard. It
// maps when shown, with the pixels last presented (or its background), and
// each present commits the changed rectangles; a frame callback asked with
// each commit paces the frames. Pointer and keys come from the seat
// (wayland_input.cpp) to the event sink as the seam names them. A window
// whose output went shows nowhere until it is moved onto another; the
// compositor's surface is made anew there.
#include <memory>
#include <string>

#include "backends/wayland/wayland_buffer.h"
#include "backends/wayland/wayland_connection.h"

namespace tl::wl {

class WaylandWindow : public tl::Window {
 public:
  WaylandWindow(Connection& c, const WindowSpec& spec, WindowEvents& events);
  ~WaylandWindow() override;
  WaylandWindow(const WaylandWindow&) = delete;
  WaylandWindow& operator=(const WaylandWindow&) = delete;

  bool ok() const { return layer_ != nullptr; }
  wl_surface* surface() const { return surface_; }
  NativeHandle Handle() const override { return reinterpret_cast<NativeHandle>(surface_); }
  void Show() override;
  // Layer surfaces on the overlay layer are above everything already.
  void SetTopmost() override {}
  // The whole of the output `rect` lies on most, whatever size is asked: a
  // layer surface is placed by the compositor. On another output than its
  // own (or none, once its own went), its surface is made anew there.
  void Move(const Rect& rect) override;
  void Present(const Surface& pixels, const Rect& dirty) override;
  void Present(const Surface& pixels, std::span<const Rect> parts) override;
  void StartTimer(int32_t timerId, uint32_t intervalMs) override;
  void StopTimer(int32_t timerId) override;
  // The compositor gives the keyboard to an exclusive layer surface itself.
  void SetFocus() override {}
  std::string Caption() const override { return title_; }
  void SetMousePointer(MousePointer) override {}
  void SetCustomPointer(const PointerPicture&) override {}
  void Close() override;

  // Where it lies in the virtual screen.
  const Rect& rect() const { return rect_; }
  // Whether a frame callback asked for has not come yet.
  bool FramePending() const { return framePending_; }
  // From the connection and the seat.
  void ForgetOutput(const Output* o);
  // Its place from its output's, once the outputs changed.
  void FollowOutput();
  // The compositor closed its surface while its output stayed: taken away
  // from outside, not by an output that went.
  bool TakenAway() const { return closed_ && output_ != nullptr; }
  void OnTakenAway();
  void OnMonitorsChanged() { events_.OnMonitorsChanged(); }
  void OnTimer(int32_t timerId) { events_.OnTimer(timerId); }
  void OnConfigure(uint32_t serial, uint32_t width, uint32_t height);
  void OnClosed();
  void OnFrame();
  void OnPointerEnter(uint32_t serial, double x, double y);
  void OnMotion(double x, double y);
  void OnButton(uint32_t button, bool pressed);
  void OnKey(uint32_t key);
  void OnFocus(bool gained) { events_.OnFocus(gained); }
  void OnKeyboardTaken() { events_.OnAppActivation(false); }

 private:
  void Destroy();
  // The compositor's surface on `o`, told of its size; false when it was
  // refused or closed at once.
  bool Place(Output* o);
  // The compositor's surface gone; the window stays, with its timers.
  void Unplace();
  // Attaches the shown pixels (or the background), damages `parts` and
  // commits, asking for the next frame callback.
  void Commit(std::span<const Rect> parts);
  wl_buffer* BufferFor(const Surface& pixels, std::span<const Rect> parts);

  Connection& c_;
  WindowEvents& events_;
  std::string title_;
  Rect rect_;
  uint32_t background_ = 0;
  const Output* output_ = nullptr;
  int32_t scale_ = 1;
  int32_t pointerX_ = 0, pointerY_ = 0;  // buffer pixels
  wl_surface* surface_ = nullptr;
  zwlr_layer_surface_v1* layer_ = nullptr;
  wl_callback* frame_ = nullptr;
  bool configured_ = false, shown_ = false, framePending_ = false, closed_ = false;
  const Surface* pixels_ = nullptr;
  std::unique_ptr<SurfaceBuffer> inPlace_;
  std::unique_ptr<ShmBuffer> copy_;
};

// The seam's virtual-key code for a Linux input event code (evdev).
int32_t VirtualKeyOfEvdev(uint32_t key);

}  // namespace tl::wl
