#pragma once
// Wayland back end: thin calls into libwayland-client for the Linux program
// on compositors that offer the layer-shell and screen-copy protocols (the
// wlroots family), with the x11 back end's GStreamer media for the music.
//
// Implements, as the x11 back end does:
//   Files         the machine's files, /proc/self/exe, $XDG_CONFIG_HOME
//                 (else ~/.config) (wayland_files.cpp)
//   Screen        the outputs (wl_output modes and scales, placed by their
//                 xdg-output logical positions); the desktop copied per
//                 output with zwlr_screencopy_manager_v1 before any surface
//                 of ours maps; no pointer position (Wayland tells a client
//                 only where the pointer is over its own surfaces); 96 dots
//                 per inch (wayland_screen.cpp)
//   Shell         message boxes as lines on standard error, the language
//                 from LC_ALL, LC_MESSAGES or LANG (wayland_files.cpp)
//   WindowSystem  /proc/self/cmdline; a borderless top-level window is a
//                 zwlr_layer_surface_v1 on the overlay layer of the output
//                 it covers, anchored to every edge, taking the keyboard;
//                 its pixels in wl_shm buffers over memory files, shown in
//                 place; the pointer hidden over it; pointer and keys from
//                 wl_seat; timers and the loop on poll over the connection;
//                 frames paced by wl_surface.frame callbacks, no faster than
//                 60 a second; an output that comes, goes or changes told
//                 as OnMonitorsChanged; no text, no other kind of window, no
//                 controls
//   PictureFiles  the build's codecs, our own BMP writer
//   Media         GStreamer (backends/x11/x11_media.h)
//
// Geometry: the virtual screen's (0, 0) is the primary output's corner (the
// first one the compositor announces); an output's place is its logical
// position times its scale, its size the pixels of its buffer.
//
// Ending the program: EndProgram returns, and every loop returns after it.
#include <functional>
#include <memory>
#include <string>

#include "backends/x11/x11_media.h"
#include "toolkit/platform.h"

namespace tl {

namespace wl {
struct Connection;
}

struct WaylandOptions {
  std::string display;  // empty: $WAYLAND_DISPLAY (else wayland-0)
  // Where the sound goes: a GStreamer pipeline description; empty: the
  // system's default output.
  std::string audioSink;
  // Pixels shown from their own memory files; off: copied into buffers of
  // the back end's own.
  bool inPlace = true;
};

class WaylandPlatform : public Files,
                        public Screen,
                        public Shell,
                        public WindowSystem,
                        public PictureFiles {
 public:
  explicit WaylandPlatform(const WaylandOptions& options = {});
  ~WaylandPlatform() override;
  WaylandPlatform(const WaylandPlatform&) = delete;
  WaylandPlatform& operator=(const WaylandPlatform&) = delete;

  // False when no compositor answered; nothing else may be asked then.
  bool Connected() const;
  // The protocol the saver needs that the compositor lacks (its interface
  // name); empty when it has them all.
  std::string MissingProtocol() const;
  // The connection, for the back end's own tests.
  wl::Connection& connection() { return *c_; }

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
  // A compositor repaints each damaged box on its own (a clear and a draw
  // of every surface there): fewer, larger boxes cost it less.
  int32_t PresentPieceSlack() const override { return 16384; }
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
  void RunUntil(const std::function<bool()>& done, uint64_t deadlineMs);
  // Dispatches every event that came, then each due timer once; true when any ran.
  bool HandlePending();
  // The windows told that the outputs changed (OnMonitorsChanged), once the
  // compositor has said all of the change.
  void FollowOutputs();

  std::unique_ptr<wl::Connection> c_;
  WaylandOptions options_;
  bool ended_ = false;
  uint64_t nextFrameMs_ = 0;
};

}  // namespace tl
