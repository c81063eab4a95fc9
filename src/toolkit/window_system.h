#pragma once
// The seam to the window system: the process's command line, windows and
// their lookup, the cursor, text, the clock, and the message loop.
//
// Ending the program: after EndProgram no handler of ours runs again and no
// call through the seam follows. On Windows the process ends inside the
// call. The headless back end returns from it instead, so the caller must
// return at once too; any later call through the seam is counted there and
// fails the test that made it.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "gfx/surface.h"
#include "toolkit/drop_down.h"
#include "toolkit/scroll_bar.h"
#include "toolkit/text.h"
#include "toolkit/window.h"

namespace tl {

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The whole command line as the system gives it, the program's own path
  // first (UTF-8).
  virtual std::string CommandLine() = 0;
  // True when a top-level window with exactly this caption exists.
  virtual bool FindWindowByTitle(std::string_view title) = 0;
  // Changes the cursor display count; returns the new count.
  virtual int32_t ShowCursor(bool show) = 0;

  virtual std::unique_ptr<Window> OpenWindow(const WindowSpec& spec, WindowEvents& events) = 0;
  // What one more rectangle in a present costs, as pixels copied: a
  // presented rectangle may hold this many pixels besides twice those that
  // changed before it is split. Where a server copies the rectangles a
  // request costs more than a pixel; where each is a call that copies in
  // the program (win32), the pixels cost more.
  virtual int32_t PresentPieceSlack() const { return 4096; }
  // A window's rectangle in screen pixels; false when there is none.
  virtual bool WindowRect(NativeHandle window, Rect& rect) = 0;
  // The window at a point of the screen, the innermost child that shows
  // there; 0 when none does.
  virtual NativeHandle WindowAt(int32_t x, int32_t y) = 0;
  // The system's caption animation of a window opening from `from` to `to`.
  virtual void AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) = 0;

  // Draws a text onto our pixels with the platform's text renderer.
  virtual void DrawText(Surface& onto, const TextDraw& text) = 0;
  // True when a font face of that name is installed for the character set.
  virtual bool HasFontFace(std::string_view face, uint8_t charset) = 0;

  // Milliseconds since the system started, wrapping at 2^32.
  virtual uint32_t TickCount() = 0;

  // Handles every pending message, then returns.
  virtual void PumpMessages() = 0;
  // Handles messages until the display's next frame is due, then returns;
  // the processor idles meanwhile.
  virtual void WaitForFrame() = 0;
  // Handles messages, timers included, until `window` is gone or the
  // program ends: a modal run. The window's owner takes no input meanwhile.
  virtual void RunModal(Window& window) = 0;
  // Handles messages, timers included, until the program ends.
  virtual void RunMessageLoop() = 0;

  // --- the platform's own controls, and the pointer over all our windows ---
  // Controls the platform draws, as children of one of our windows; nothing
  // when they cannot be made.
  virtual std::unique_ptr<ScrollBar> OpenScrollBar(const ScrollBarSpec& spec,
                                                   ScrollBarEvents& events) = 0;
  virtual std::unique_ptr<DropDown> OpenDropDown(const DropDownSpec& spec) = 0;
  // The pointer over every window of ours, whatever each window sets;
  // Default hands the choice back to the windows.
  virtual void SetScreenPointer(MousePointer pointer) = 0;

  // Ends the program at once (see above).
  virtual void EndProgram() = 0;
  virtual bool Ended() const = 0;
};

}  // namespace tl
