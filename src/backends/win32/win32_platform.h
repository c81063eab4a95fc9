#pragma once
// Win32 back end: thin calls into the Windows API, with the Unicode
// functions for every text and path.
//
// Implements, as the headless back end does:
//   Files         CreateFileW and friends, GetModuleFileNameW, %APPDATA%
//   Screen        system metrics, GetDeviceCaps, the screen's device context,
//                 GetCursorPos, EnumDisplayMonitors and GetDpiForMonitor
//                 (win32_monitors.cpp)
//   Shell         MessageBoxW, ShellExecuteW, the common dialogs,
//                 GetUserDefaultUILanguage
//   WindowSystem  GetCommandLineW, FindWindowW, ShowCursor, real windows and
//                 child controls (IsDialogMessageW moves the focus on Tab),
//                 the system's SCROLLBAR and COMBOBOX controls, a pointer
//                 over all our windows (SetCursor), our own pointers
//                 (CreateCursor), WindowFromPoint, DrawTextW and EnumFontFamiliesExW,
//                 GetTickCount, the message loop and frame pacing (DwmFlush,
//                 timed), modal windows, the system's notices (WM_DPICHANGED, WM_ACTIVATEAPP,
//                 WM_SYSCOMMAND, the display's power)
//   PictureFiles  OleLoadPicture (BMP, GIF, JPEG, WMF, ICO, CUR), PNG by the
//                 Windows Imaging Component, our own BMP writer
#include "backends/win32/win32_media.h"
#include "base/frame_pacing.h"
#include "toolkit/platform.h"

namespace tl {

// A window heard WM_DISPLAYCHANGE (a sent message, which the platform's own
// loop never sees): the refresh rate is read again before the next frame.
void NoteDisplayChange();

class Win32Platform : public Files,
                      public Screen,
                      public Shell,
                      public WindowSystem,
                      public PictureFiles {
 public:
  Win32Platform() = default;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  // The seam as the program sees it, with winmm as the multimedia system.
  Win32Media media;
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
  bool OpenWebPage(std::string_view url) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogSpec& spec) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogSpec& spec) override;
  std::optional<uint32_t> ChooseColour(uint32_t initial, std::array<uint32_t, 16>& custom,
                                       NativeHandle owner) override;
  uint16_t UserInterfaceLanguage() override;

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
  // Each presented rectangle is a SetDIBitsToDevice copying in our process
  // (under Wine into its copy of the window): pixels cost more than calls.
  int32_t PresentPieceSlack() const override { return 0; }
  void RunModal(Window& window) override;
  void RunMessageLoop() override;
  void EndProgram() override;
  bool Ended() const override { return ended_; }

 private:
  int64_t FramePeriod();
  // One refresh of the display, handling messages meanwhile.
  void WaitForRefresh();
  static int64_t Now();
  // Handles messages as they arrive until the performance counter reaches `deadline`.
  void WaitOnTimerUntil(int64_t deadline);

  bool ended_ = false;
  bool quitSeen_ = false;
  int64_t nextFrame_ = 0;    // performance-counter time of the next frame (fallback pacing)
  int64_t lastFrame_ = 0;    // when the last frame wait returned
  int64_t framePeriod_ = 0;  // performance-counter ticks per display refresh
  uint32_t displayChangesSeen_ = 0;
  int64_t counterHz_ = 1;
  PassPacer pacer_;  // refreshes skipped for a 60 Hz pace (frame_pacing.h)
};

}  // namespace tl
