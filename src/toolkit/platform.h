#pragma once
// The seam to the platform. Subsystems reach windows, files, cursor and the
// system's text conversions only through this interface; the win32 back end
// implements it over the Windows API, the headless back end in memory.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/surface.h"
#include "toolkit/window.h"

namespace tl {

enum class MessageIcon { Error, Information, Exclamation, Question };

// What the file dialogs show: a title, the file types as (description,
// patterns such as "*.mp3;*.wav") pairs, where to start, the extension added
// to a name typed without one.
struct FileDialogSpec {
  std::string title;
  std::vector<std::pair<std::string, std::string>> filter;
  std::string initialFolder;
  std::string defaultExtension;
  NativeHandle owner = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // The command line without the program's own path (UTF-8).
  virtual std::string CommandLineArgs() = 0;
  // True when a top-level window with exactly this caption exists.
  virtual bool FindWindowByTitle(std::string_view title) = 0;
  // Changes the cursor display count; returns the new count.
  virtual int32_t ShowCursor(bool show) = 0;
  // Ends the program at once: no further handler runs.
  virtual void EndProgram() = 0;
  virtual bool Ended() const = 0;

  // Folders, without a trailing separator except at a drive root.
  virtual std::string ProgramFolder() = 0;
  // The per-user application-data folder (empty when unknown).
  virtual std::string UserDataFolder() = 0;

  // Files, by paths written with '\' separators (UTF-8).
  virtual std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) = 0;
  virtual bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) = 0;
  virtual bool CanOpenForReading(const std::string& path) = 0;
  virtual bool MakeFolder(const std::string& path) = 0;

  // Conversions between UTF-8 and code page 932 (Shift-JIS). nullopt when a
  // character cannot be represented.
  virtual std::optional<std::string> ToCodePage932(std::string_view utf8) = 0;
  virtual std::optional<std::string> FromCodePage932(std::string_view bytes) = 0;

  // The primary screen, in pixels, and its twips per pixel.
  virtual int32_t ScreenWidth() = 0;
  virtual int32_t ScreenHeight() = 0;
  virtual int32_t TwipsPerPixelX() = 0;
  virtual int32_t TwipsPerPixelY() = 0;
  // Bits per pixel of the screen's device context.
  virtual int32_t ScreenBitsPerPixel() = 0;
  // Copies the desktop from the primary screen's origin into `into`, at its size.
  virtual bool SnapshotDesktop(Surface& into) = 0;
  // Milliseconds since the system started, wrapping at 2^32.
  virtual uint32_t TickCount() = 0;

  // A modal message box; returns when the user closes it.
  virtual void ShowMessageBox(std::string_view text, std::string_view title, MessageIcon icon) = 0;

  virtual std::unique_ptr<Window> OpenWindow(const WindowSpec& spec, WindowEvents& events) = 0;
  // A foreign window's rectangle in screen pixels; false when there is none.
  virtual bool HostWindowRect(NativeHandle window, Rect& rect) = 0;

  // The mouse pointer in screen pixels; false when it cannot be read.
  virtual bool CursorPosition(int32_t& x, int32_t& y) = 0;
  // The system's caption animation of a window opening from `from` to `to`.
  virtual void AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) = 0;
  // Opens a web address with the user's browser; false when nothing opened it.
  virtual bool OpenWebPage(std::string_view url) = 0;
  // The common dialogs: the chosen file (UTF-8) or colour (COLORREF), nothing
  // when cancelled. `custom` keeps the sixteen custom colours between calls.
  virtual std::optional<std::string> ChooseFileToOpen(const FileDialogSpec& spec) = 0;
  virtual std::optional<std::string> ChooseFileToSave(const FileDialogSpec& spec) = 0;
  virtual std::optional<uint32_t> ChooseColour(uint32_t initial, std::array<uint32_t, 16>& custom,
                                               NativeHandle owner) = 0;

  // Handles every pending message, then returns.
  virtual void PumpMessages() = 0;
  // Handles messages until the display's next frame is due, then returns;
  // the processor idles meanwhile.
  virtual void WaitForFrame() = 0;
  // Handles messages until the program ends or its last window is gone.
  virtual void RunMessageLoop() = 0;
};

}  // namespace tl
