#pragma once
// X11 back end: thin calls into Xlib for the Linux program, with GStreamer
// for the music.
//
// Implements, as the win32 and headless back ends do:
//   Files         the machine's files ('\' separators mapped onto '/'),
//                 /proc/self/exe, $XDG_CONFIG_HOME (else ~/.config)
//   Screen        the primary RandR monitor (or the host window), the
//                 desktop copied with XShmGetImage or XGetImage before any
//                 window of ours is mapped, or drawn by a desktop helper
//                 onto a pixmap; XQueryPointer; XRRGetMonitors
//                 (x11_monitors.cpp); 96 dots per inch
//   Shell         message boxes as lines on standard error; no browser and
//                 no dialogs: the Linux program shows none; the language
//                 from LC_ALL, LC_MESSAGES or LANG
//   WindowSystem  /proc/self/cmdline, top-level windows found by WM_NAME,
//                 a blank pointer for a hidden cursor, real windows
//                 (override-redirect borderless ones for the screen, which
//                 take the keyboard and give way to a screen locker:
//                 x11_keyboard.cpp) presented with XShmPutImage or
//                 XPutImage in any true-colour visual (x11_pixel_format),
//                 pointer and keys from core events, timers and the message loop on
//                 poll over the connection, frames at the monitor's
//                 refresh rate, paced to 60 Hz (PassPacer); RandR's
//                 notices, a host's new size (ConfigureNotify) and the
//                 display's power (DPMS, asked every second) told to the
//                 windows; no text (x11_text.cpp) and no platform controls
//   PictureFiles  the build's codecs, our own BMP writer
//   Media         GStreamer's playbin for the MCI commands the music sends
//                 and for the looping sound (x11_media.cpp)
//
// Geometry: the virtual screen's (0, 0) is the primary monitor's corner;
// X places are moved by the primary monitor's place on the root window.
// Hosted (an xscreensaver hack): the host window stands for the whole
// screen; our windows are its children and take no input, which belongs to
// the host's owner.
//
// Ending the program: EndProgram returns, as the headless back end's does,
// and every loop returns after it; the caller lets the program end.
#include <functional>
#include <memory>
#include <string>

#include "backends/x11/x11_media.h"
#include "base/frame_pacing.h"
#include "toolkit/platform.h"

namespace tl {

namespace x11 {
struct Connection;
class X11Window;
}

struct X11Options {
  std::string display;  // empty: $DISPLAY
  // A window to draw in instead of the screen (0: none), or the root window.
  uint64_t host = 0;
  bool root = false;
  // A program drawing the desktop onto a pixmap, run as
  // `helper WINDOW PIXMAP` (ids in hex) when a hosted screen is copied;
  // empty, or failing: the root window's contents.
  std::string desktopHelper;
  // Shared memory for presenting and copying, where the server takes it.
  bool sharedMemory = true;
  // Where the sound goes: a GStreamer pipeline description; empty: the
  // system's default output.
  std::string audioSink;
};

class X11Platform : public Files,
                    public Screen,
                    public Shell,
                    public WindowSystem,
                    public PictureFiles {
 public:
  explicit X11Platform(const X11Options& options = {});
  ~X11Platform() override;
  X11Platform(const X11Platform&) = delete;
  X11Platform& operator=(const X11Platform&) = delete;

  // False when the display could not be opened; nothing else may be asked then.
  bool Connected() const;
  // The connection, for the back end's own windows and tests.
  x11::Connection& connection() { return *c_; }
  // Whether a host window stands for the screen (false also when the host
  // asked for does not exist).
  bool Hosted() const;
  // Whether presenting and copying go through shared memory.
  bool SharedMemory() const;
  // Empty where our pixels can be shown; otherwise what the visual is that
  // they cannot be shown in (a palette, masks we cannot make), for a message.
  std::string UnservedVisual() const;

  // The seam as the program sees it, with GStreamer as the multimedia system.
  X11Media media;
  Platform seam{*this, *this, *this, *this, media, *this};
  operator Platform&() { return seam; }

  std::string ProgramPath() override;
  std::string UserDataFolder() override;
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
  bool CanOpenForReading(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;

  int32_t Width() override;
  int32_t Height() override;
  int32_t DpiX() override;
  int32_t DpiY() override;
  int32_t BitsPerPixel() override;
  bool SnapshotDesktop(Surface& into) override;
  bool CursorPosition(int32_t& x, int32_t& y) override;
  std::vector<Monitor> Monitors() override;
  bool SnapshotDesktopAt(Surface& into, int32_t x, int32_t y) override;

  void ShowMessageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  uint16_t UserInterfaceLanguage() override;
  bool OpenWebPage(std::string_view url) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogSpec& spec) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogSpec& spec) override;
  std::optional<uint32_t> ChooseColour(uint32_t initial, std::array<uint32_t, 16>& custom,
                                       NativeHandle owner) override;

  DecodedPicture LoadPicture(const std::string& path, uint32_t background) override;
  bool SavePictureAsBmp(const std::string& path, const Surface& pixels) override;

  std::string CommandLine() override;
  bool FindWindowByTitle(std::string_view title) override;
  int32_t ShowCursor(bool show) override;
  std::unique_ptr<Window> OpenWindow(const WindowSpec& spec, WindowEvents& events) override;
  bool WindowRect(NativeHandle window, Rect& rect) override;
  NativeHandle WindowAt(int32_t x, int32_t y) override;
  void DrawText(Surface& onto, const TextDraw& text) override;
  bool HasFontFace(std::string_view face, uint8_t charset) override;
  void AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) override;
  std::unique_ptr<ScrollBar> OpenScrollBar(const ScrollBarSpec& spec,
                                           ScrollBarEvents& events) override;
  std::unique_ptr<DropDown> OpenDropDown(const DropDownSpec& spec) override;
  void SetScreenPointer(MousePointer pointer) override;
  uint32_t TickCount() override;
  void PumpMessages() override;
  void WaitForFrame() override;
  void RunModal(Window& window) override;
  void RunMessageLoop() override;
  void EndProgram() override;
  bool Ended() const override { return ended_; }

 private:
  // Handles queued events and due timers until `done` or the end; waits on
  // the connection meanwhile, at most until `deadlineMs` (0: no deadline).
  void RunUntil(const std::function<bool()>& done, uint64_t deadlineMs);
  // Handles every queued event, then each due timer once; true when any ran.
  // `read`: what the connection holds is read first (else only what Xlib
  // has queued is handled).
  bool HandlePending(bool read = true);
  // Another program's window came over a cover of ours (a screen locker).
  void Deactivate();
  // Tells each window alive now; those made meanwhile are not told.
  void TellWindows(const std::function<void(x11::X11Window&)>& tell);

  std::unique_ptr<x11::Connection> c_;
  X11Options options_;
  bool ended_ = false;
  uint64_t nextFrameUs_ = 0;
  int randrEvent_ = -1;  // RandR's first event number; -1: monitors not followed
  // The display's power as last seen (1 on, 0 off), -1 when not watched.
  static constexpr uint64_t kPowerCheckMs = 1000;
  int displayPower_ = -1;
  uint64_t nextPowerCheckMs_ = 0;
  PassPacer pacer_;  // refreshes skipped for a 60 Hz pace
};

}  // namespace tl
