#include "backends/wayland/wayland_window.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cstring>

namespace tl::wl {

namespace {

void Configure(void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t w, uint32_t h) {
  static_cast<WaylandWindow*>(data)->OnConfigure(serial, w, h);
}
void Closed(void* data, zwlr_layer_surface_v1*) { static_cast<WaylandWindow*>(data)->OnClosed(); }
const zwlr_layer_surface_v1_listener kLayerListener = {Configure, Closed};

void FrameDone(void* data, wl_callback*, uint32_t) { static_cast<WaylandWindow*>(data)->OnFrame(); }
const wl_callback_listener kFrameListener = {FrameDone};

}  // namespace

int32_t VirtualKeyOfEvdev(uint32_t k) {
  // Letters by their place on a US keyboard, as Windows' codes name them.
  static constexpr const char* kRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static constexpr uint32_t kRowStart[] = {KEY_Q, KEY_A, KEY_Z};
  for (int row = 0; row < 3; ++row)
    if (k >= kRowStart[row] && k < kRowStart[row] + std::strlen(kRows[row]))
      return kRows[row][k - kRowStart[row]];
  if (k >= KEY_1 && k <= KEY_9) return static_cast<int32_t>('1' + (k - KEY_1));
  if (k >= KEY_F1 && k <= KEY_F10) return static_cast<int32_t>(0x70 + (k - KEY_F1));
  switch (k) {
    case KEY_0: return '0';
    case KEY_LEFTSHIFT: case KEY_RIGHTSHIFT: return vk::kShift;
    case KEY_LEFTCTRL: case KEY_RIGHTCTRL: return vk::kControl;
    case KEY_LEFTALT: case KEY_RIGHTALT: return 0x12;
    case KEY_ESC: return vk::kEscape;
    case KEY_SPACE: return vk::kSpace;
    case KEY_ENTER: case KEY_KPENTER: return 0x0D;
    case KEY_TAB: return 0x09;
    case KEY_BACKSPACE: return 0x08;
    case KEY_LEFT: return 0x25;
    case KEY_UP: return 0x26;
    case KEY_RIGHT: return 0x27;
    case KEY_DOWN: return 0x28;
    case KEY_F11: return 0x7A;
    case KEY_F12: return 0x7B;
    default: return 0xFF;  // a key Windows names otherwise; still a key
  }
}

WaylandWindow::WaylandWindow(Connection& c, const WindowSpec& spec, WindowEvents& events)
    : c_(c), events_(events), title_(spec.title), rect_(spec.rect), background_(spec.background) {
  // Only the screen's cover exists on Wayland: the program has no dialogs
  // and no host windows here.
  if (spec.kind != WindowKind::Popup || !c.compositor || !c.layerShell || !c.shm) return;
  Output* o = c.OutputFor(spec.rect);
  if (!o) return;
  c.windows.push_back(this);
  Place(o);
}

bool WaylandWindow::Place(Output* o) {
  output_ = o;
  closed_ = false;
  scale_ = o->scale;
  surface_ = wl_compositor_create_surface(c_.compositor);
  if (!surface_) return false;
  wl_surface_set_buffer_scale(surface_, scale_);
  layer_ = zwlr_layer_shell_v1_get_layer_surface(c_.layerShell, surface_, o->output,
                                                 ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "tidelight");
  zwlr_layer_surface_v1_add_listener(layer_, &kLayerListener, this);
  zwlr_layer_surface_v1_set_anchor(layer_, ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP |
                                               ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                               ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT |
                                               ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
  zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(
      layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
  // The first commit has no buffer: the compositor answers with the size.
  wl_surface_commit(surface_);
  c_.Roundtrip();
  if (!layer_) return false;  // closed at once
  // Where it lies is the output's place, whatever was asked.
  FollowOutput();
  // Opaque all over: the compositor need not draw what lies beneath.
  if (wl_region* opaque = wl_compositor_create_region(c_.compositor)) {
    wl_region_add(opaque, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_set_opaque_region(surface_, opaque);
    wl_region_destroy(opaque);
  }
  return true;
}

WaylandWindow::~WaylandWindow() { Destroy(); }

void WaylandWindow::Destroy() {
  c_.timers.Forget(this);
  std::erase(c_.windows, this);
  Unplace();
}

void WaylandWindow::Unplace() {
  if (c_.pointerWindow == this) c_.pointerWindow = nullptr;
  if (c_.keyboardWindow == this) c_.keyboardWindow = nullptr;
  if (frame_) wl_callback_destroy(frame_);
  frame_ = nullptr;
  framePending_ = false;
  if (layer_) zwlr_layer_surface_v1_destroy(layer_);
  layer_ = nullptr;
  configured_ = false;
  inPlace_.reset();
  copy_.reset();
  if (surface_) wl_surface_destroy(surface_);
  surface_ = nullptr;
  if (c_.display) wl_display_flush(c_.display);
}

void WaylandWindow::ForgetOutput(const Output* o) {
  if (output_ == o) output_ = nullptr;
}

void WaylandWindow::FollowOutput() {
  if (output_ && layer_) rect_ = c_.PlaceOf(*output_);
}

void WaylandWindow::Move(const Rect& rect) {
  Output* o = c_.OutputFor(rect);
  if (!o || (o == output_ && layer_)) return;
  Unplace();
  if (!Place(o) || !shown_) return;
  const Rect all{0, 0, rect_.Width(), rect_.Height()};
  Commit(std::span<const Rect>(&all, 1));
}

void WaylandWindow::OnConfigure(uint32_t serial, uint32_t, uint32_t) {
  zwlr_layer_surface_v1_ack_configure(layer_, serial);
  configured_ = true;
}

void WaylandWindow::OnClosed() {
  // Its output going closes it too: whether it went is known once the
  // compositor has said all it had to say (the outputs' notice).
  Unplace();
  closed_ = true;
  if (shown_) c_.outputsChanged = true;
}

void WaylandWindow::OnTakenAway() {
  // As a window destroyed from outside.
  Destroy();
  events_.OnDestroyed();
}

void WaylandWindow::OnFrame() {
  if (frame_) wl_callback_destroy(frame_);
  frame_ = nullptr;
  framePending_ = false;
}

void WaylandWindow::Show() {
  if (!layer_ || shown_) return;
  shown_ = true;
  const Rect all{0, 0, rect_.Width(), rect_.Height()};
  Commit(std::span<const Rect>(&all, 1));
}

void WaylandWindow::Present(const Surface& pixels, const Rect& dirty) {
  Present(pixels, std::span<const Rect>(&dirty, 1));
}

void WaylandWindow::Present(const Surface& pixels, std::span<const Rect> parts) {
  pixels_ = &pixels;
  if (!layer_ || !shown_) return;
  Commit(parts);
}

wl_buffer* WaylandWindow::BufferFor(const Surface& pixels, std::span<const Rect> parts) {
  if (c_.inPlace) {
    if (!inPlace_ || !inPlace_->Of(pixels)) {
      inPlace_.reset();
      auto b = std::make_unique<SurfaceBuffer>(c_.shm, pixels);
      if (b->ok()) inPlace_ = std::move(b);
    }
    if (inPlace_) return inPlace_->buffer();
  }
  // Pixels in our own memory: the changed parts copied into a buffer of ours.
  if (!copy_ || copy_->Width() != pixels.Width() || copy_->Height() != pixels.Height()) {
    copy_ = std::make_unique<ShmBuffer>(c_.shm, pixels.Width(), pixels.Height());
    if (!copy_->ok()) return nullptr;
    copy_->CopyFrom(pixels, pixels.Bounds());
    return copy_->buffer();
  }
  for (const Rect& part : parts) copy_->CopyFrom(pixels, part);
  return copy_->buffer();
}

void WaylandWindow::Commit(std::span<const Rect> parts) {
  if (!configured_) c_.Roundtrip();
  if (!layer_) return;
  wl_buffer* buffer = nullptr;
  Rect bounds{0, 0, rect_.Width(), rect_.Height()};
  // The buffer must be a whole number of the output's scale.
  if (pixels_ && pixels_->Width() % scale_ == 0 && pixels_->Height() % scale_ == 0) {
    buffer = BufferFor(*pixels_, parts);
    bounds = pixels_->Bounds();
  }
  if (!buffer) {
    // Nothing to show yet: the background, once.
    if (!copy_ || copy_->Width() != bounds.Width() || copy_->Height() != bounds.Height()) {
      copy_ = std::make_unique<ShmBuffer>(c_.shm, std::max(bounds.Width(), scale_),
                                          std::max(bounds.Height(), scale_));
      if (!copy_->ok()) return;
      for (int32_t y = 0; y < copy_->Height(); ++y)
        std::fill_n(copy_->Row(y), copy_->Width(), background_);
    }
    buffer = copy_->buffer();
  }
  wl_surface_attach(surface_, buffer, 0, 0);
  for (const Rect& part : parts)
    if (const Rect r = Intersect(part, bounds); !r.Empty())
      wl_surface_damage_buffer(surface_, r.left, r.top, r.Width(), r.Height());
  if (!frame_) {
    frame_ = wl_surface_frame(surface_);
    wl_callback_add_listener(frame_, &kFrameListener, this);
    framePending_ = true;
  }
  wl_surface_commit(surface_);
  wl_display_flush(c_.display);
}

void WaylandWindow::StartTimer(int32_t timerId, uint32_t intervalMs) {
  if (layer_) c_.timers.Start(this, timerId, intervalMs, NowMs());
}

void WaylandWindow::StopTimer(int32_t timerId) { c_.timers.Stop(this, timerId); }

void WaylandWindow::Close() {
  if (std::find(c_.windows.begin(), c_.windows.end(), this) == c_.windows.end()) return;
  Destroy();
  events_.OnDestroyed();
}

void WaylandWindow::OnPointerEnter(uint32_t serial, double x, double y) {
  pointerX_ = static_cast<int32_t>(x * scale_);
  pointerY_ = static_cast<int32_t>(y * scale_);
  // No picture of ours: hidden while the cursor is, else left as it was.
  if (c_.CursorHidden() && c_.pointer) wl_pointer_set_cursor(c_.pointer, serial, nullptr, 0, 0);
}

void WaylandWindow::OnMotion(double x, double y) {
  pointerX_ = static_cast<int32_t>(x * scale_);
  pointerY_ = static_cast<int32_t>(y * scale_);
  events_.OnMouseMove(pointerX_, pointerY_);
}

void WaylandWindow::OnButton(uint32_t button, bool pressed) {
  MouseButton b;
  switch (button) {
    case BTN_LEFT: b = MouseButton::Left; break;
    case BTN_RIGHT: b = MouseButton::Right; break;
    case BTN_MIDDLE: b = MouseButton::Middle; break;
    default: return;
  }
  if (pressed)
    events_.OnButtonDown(b, pointerX_, pointerY_);
  else
    events_.OnButtonUp(b, pointerX_, pointerY_);
}

void WaylandWindow::OnKey(uint32_t key) { events_.OnKeyDown(VirtualKeyOfEvdev(key)); }

}  // namespace tl::wl
