#pragma once
// What the windows of the Wayland back end share: the connection and the
// compositor's globals, the outputs, the seat's pointer and keyboard, the
// windows, and the timers.
#include "backends/host/window_timers.h"
#include "backends/wayland/wayland_platform.h"

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#include "wlr-screencopy-unstable-v1-client-protocol.h"
#include "xdg-output-unstable-v1-client-protocol.h"

namespace tl::wl {

class WaylandWindow;

using host::NowMs;
using Timers = host::WindowTimers<WaylandWindow>;

struct Connection;

struct Output {
  Connection* c = nullptr;
  uint32_t name = 0;  // the global's
  wl_output* output = nullptr;
  zxdg_output_v1* xdg = nullptr;
  // From wl_output: the current mode (buffer pixels before the transform),
  // the transform and the scale.
  int32_t modeWidth = 0, modeHeight = 0, refreshMhz = 0;
  int32_t transform = 0, scale = 1;
  // From xdg-output: the place in the compositor's logical space.
  int32_t logicalX = 0, logicalY = 0, logicalWidth = 0, logicalHeight = 0;
  bool done = false;
  // What the windows were last told of it: nothing until it is described.
  bool announced = false;
  Rect announcedPlace;
  int32_t announcedScale = 0, announcedTransform = 0;

  // Whole once wl_output and, where the compositor has it, xdg-output have
  // both said where it lies and what mode it shows.
  bool Described() const;

  // The output's pixels as our surfaces see them: the mode turned by the
  // transform.
  int32_t Width() const { return transform % 2 ? modeHeight : modeWidth; }
  int32_t Height() const { return transform % 2 ? modeWidth : modeHeight; }
  // Its place in compositor pixels (logical position times scale).
  Rect Place() const {
    return {logicalX * scale, logicalY * scale, logicalX * scale + Width(),
            logicalY * scale + Height()};
  }
};

struct Connection {
  wl_display* display = nullptr;
  wl_registry* registry = nullptr;
  wl_compositor* compositor = nullptr;
  wl_shm* shm = nullptr;
  wl_seat* seat = nullptr;
  wl_pointer* pointer = nullptr;
  wl_keyboard* keyboard = nullptr;
  zwlr_layer_shell_v1* layerShell = nullptr;
  zwlr_screencopy_manager_v1* screencopy = nullptr;
  zxdg_output_manager_v1* xdgOutputs = nullptr;
  std::vector<std::unique_ptr<Output>> outputs;
  bool inPlace = true;
  // An output came, went or changed since the windows were last told.
  bool outputsChanged = false;

  // The virtual screen's (0, 0) in compositor pixels: the primary output's corner.
  int32_t originX = 0, originY = 0;
  int32_t cursorCount = 0;
  MousePointer screenPointer = MousePointer::Default;
  std::vector<WaylandWindow*> windows;
  Timers timers;
  // Input goes to the window under the pointer and the one with the keyboard.
  WaylandWindow* pointerWindow = nullptr;
  WaylandWindow* keyboardWindow = nullptr;
  uint32_t pointerSerial = 0;
  // The keyboard was ours and went to another program: told once the
  // events that came with it are handled (it may only move among ours).
  bool hadKeyboard = false, keyboardLeft = false;

  bool CursorHidden() const { return cursorCount < 0; }
  WaylandWindow* Find(wl_surface* s) const;
  // The first described output.
  const Output* Primary() const;
  // The described output whose place overlaps `r` (virtual-screen pixels)
  // the most.
  Output* OutputFor(const Rect& r) const;
  // An output's place in virtual-screen pixels.
  Rect PlaceOf(const Output& o) const;
  // After the outputs changed: the virtual screen's origin at the primary's
  // corner again, and every window's place from its output's.
  void FollowOutputs();
  // Sends and reads until the compositor has answered all that was sent;
  // false when the connection broke.
  bool Roundtrip();
};

// Connects and learns the globals and outputs; nothing connected on failure.
void Open(Connection& c, const WaylandOptions& options);
void Close(Connection& c);
// The seat's devices as its capabilities say (wayland_input.cpp).
void ListenToSeat(Connection& c);

}  // namespace tl::wl
