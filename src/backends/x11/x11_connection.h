#pragma once
// What the windows of the x11 back end share: the connection and the
// window our windows live in, the visual our pixels are shown in, the
// pointer, the windows by id for the events, and the timers.
//
// The seam's headers come first: X's headers define macros (None, Status,
// KeyPress...) that would rename the seam's own words.
#include "backends/host/window_timers.h"
#include "backends/x11/x11_platform.h"
#include "backends/x11/x11_pixel_format.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <map>
#include <vector>

namespace tl::x11 {

class X11Window;
using XWindow = ::Window;

using host::NowMs;
using Timers = host::WindowTimers<X11Window>;

// X errors are answered by the caller that made the request, not by ending
// the process (Xlib's own handler exits): a trap records the first error
// made while it lives, after a round trip; its requests are answered
// before it goes.
class ErrorTrap {
 public:
  explicit ErrorTrap(Display* d);
  ~ErrorTrap();
  // Waits for the server's answers; true when an error came back.
  bool Failed();

 private:
  Display* display_;
};

struct Connection {
  Display* display = nullptr;
  int screen = 0;
  XWindow root = 0;
  // Where our top-level windows live: the root, or the host window.
  XWindow parent = 0;
  bool hosted = false;
  // The virtual screen's (0, 0) in the parent's coordinates.
  int32_t originX = 0, originY = 0;
  // The virtual screen's primary part: the primary monitor, or the host.
  int32_t width = 0, height = 0;
  Visual* visual = nullptr;
  int depth = 0;
  Colormap colormap = 0;
  // Whether our pixels can be shown in the visual at all (a true-colour
  // one), and how they are converted to and from its pixels.
  bool served = false;
  PixelConverter pixels;
  // Our pixels (0x00RRGGBB, little-endian) are the visual's own; bits set
  // in every pixel sent (the opaque alpha of a 32-bit visual).
  bool pixelsMatch = false;
  uint32_t alphaBits = 0;
  bool sharedMemory = false;
  // Frames per second of the primary monitor.
  int32_t refreshHz = 60;
  ::Cursor blankCursor = 0;
  MousePointer screenPointer = MousePointer::Default;  // over all our windows
  int32_t cursorCount = 0;
  std::map<XWindow, X11Window*> windows;
  Timers timers;
  // A cover whose keyboard grab is tried again until grabUntilMs (0: none).
  XWindow grabPending = 0;
  uint64_t grabUntilMs = 0, grabNextMs = 0;

  bool CursorHidden() const { return cursorCount < 0; }
  X11Window* Find(XWindow w) const;
};

// A RandR monitor in root-window pixels.
struct RootMonitor {
  Rect rect;
  bool primary = false;
  uint64_t id = 0;  // the monitor's name (an atom)
};
// The server's monitors; the first is the primary one when none is named.
std::vector<RootMonitor> RandrMonitors(Display* d, XWindow root);
// The refresh rate of the monitors' current modes, the primary's first;
// 60 when none is known. Read from the current configuration, so the
// server probes no output.
int32_t RefreshRate(Display* d, XWindow root);
// The primary monitor's place and size on the root, read again; kept as
// they were when the server names no monitor.
void ReadPrimary(Connection& c);
// Whether the display's power is on (1) or off (0) by the DPMS extension;
// -1 where the server cannot tell.
int DisplayPower(Display* d);
// Asks the server to tell of monitors that change (RandR's screen, CRTC
// and output notices); RandR's first event number, or -1 without it.
int SelectMonitorChanges(Display* d, XWindow root);

// Called when the connection to the server is lost, before the process
// ends: Xlib allows no return to the program from there.
void OnConnectionLost(void (*stop)());

// Opens the display and learns the screen; nothing connected on failure.
// An X error outside an ErrorTrap is said once on standard error; a lost
// connection is said, calls the OnConnectionLost hook and ends the process.
void Open(Connection& c, const X11Options& options);
void Close(Connection& c);

}  // namespace tl::x11
