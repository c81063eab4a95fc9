// The seat of the Wayland back end: its pointer and keyboard, their events
// handed to the window they concern. Keys are told by their Linux codes;
// no keymap is read, since the program only needs to know a key came.
#include <unistd.h>

#include "backends/wayland/wayland_connection.h"
#include "backends/wayland/wayland_window.h"

namespace tl::wl {

namespace {

Connection& Of(void* data) { return *static_cast<Connection*>(data); }

void PointerEnter(void* data, wl_pointer*, uint32_t serial, wl_surface* s, wl_fixed_t x,
                  wl_fixed_t y) {
  Connection& c = Of(data);
  c.pointerSerial = serial;
  c.pointerWindow = c.Find(s);
  if (c.pointerWindow)
    c.pointerWindow->OnPointerEnter(serial, wl_fixed_to_double(x), wl_fixed_to_double(y));
}
void PointerLeave(void* data, wl_pointer*, uint32_t, wl_surface*) { Of(data).pointerWindow = nullptr; }
void PointerMotion(void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) {
  if (WaylandWindow* w = Of(data).pointerWindow) w->OnMotion(wl_fixed_to_double(x), wl_fixed_to_double(y));
}
void PointerButton(void* data, wl_pointer*, uint32_t, uint32_t, uint32_t button, uint32_t state) {
  if (WaylandWindow* w = Of(data).pointerWindow)
    w->OnButton(button, state == WL_POINTER_BUTTON_STATE_PRESSED);
}
// The wheel's steps are no clicks, as on the other platforms.
void PointerAxis(void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {}
void PointerFrame(void*, wl_pointer*) {}
void PointerAxisSource(void*, wl_pointer*, uint32_t) {}
void PointerAxisStop(void*, wl_pointer*, uint32_t, uint32_t) {}
void PointerAxisDiscrete(void*, wl_pointer*, uint32_t, int32_t) {}
void PointerAxisValue120(void*, wl_pointer*, uint32_t, int32_t) {}

const wl_pointer_listener kPointerListener = {
    PointerEnter,      PointerLeave,    PointerMotion,       PointerButton,      PointerAxis,
    PointerFrame,      PointerAxisSource, PointerAxisStop,   PointerAxisDiscrete, PointerAxisValue120};

void KeyboardKeymap(void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); }
void KeyboardEnter(void* data, wl_keyboard*, uint32_t, wl_surface* s, wl_array*) {
  Connection& c = Of(data);
  // Keys already down when it came are not pressed for us.
  c.keyboardWindow = c.Find(s);
  if (!c.keyboardWindow) return;
  c.hadKeyboard = true;
  c.keyboardLeft = false;
  c.keyboardWindow->OnFocus(true);
}
void KeyboardLeave(void* data, wl_keyboard*, uint32_t, wl_surface* s) {
  Connection& c = Of(data);
  WaylandWindow* w = c.Find(s);
  if (c.keyboardWindow == w) c.keyboardWindow = nullptr;
  if (!w) return;
  c.keyboardLeft = true;
  w->OnFocus(false);
}
void KeyboardKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
  // Modifiers come as keys too: Shift alone ends the saver as on Windows.
  if (state != WL_KEYBOARD_KEY_STATE_PRESSED) return;
  if (WaylandWindow* w = Of(data).keyboardWindow) w->OnKey(key);
}
void KeyboardModifiers(void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {}
void KeyboardRepeat(void*, wl_keyboard*, int32_t, int32_t) {}

const wl_keyboard_listener kKeyboardListener = {KeyboardKeymap, KeyboardEnter,     KeyboardLeave,
                                                KeyboardKey,    KeyboardModifiers, KeyboardRepeat};

void SeatCapabilities(void* data, wl_seat* seat, uint32_t caps) {
  Connection& c = Of(data);
  if ((caps & WL_SEAT_CAPABILITY_POINTER) && !c.pointer) {
    c.pointer = wl_seat_get_pointer(seat);
    wl_pointer_add_listener(c.pointer, &kPointerListener, &c);
  }
  if ((caps & WL_SEAT_CAPABILITY_KEYBOARD) && !c.keyboard) {
    c.keyboard = wl_seat_get_keyboard(seat);
    wl_keyboard_add_listener(c.keyboard, &kKeyboardListener, &c);
  }
}
void SeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener kSeatListener = {SeatCapabilities, SeatName};

}  // namespace

void ListenToSeat(Connection& c) {
  if (c.seat) wl_seat_add_listener(c.seat, &kSeatListener, &c);
}

}  // namespace tl::wl
