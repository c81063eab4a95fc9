#pragma once
// Win32 back end of the platform seam: thin calls into the Windows API, with
// Unicode functions for every text and path.
#include "toolkit/platform.h"

namespace tl {

class Win32Platform : public Platform {
 public:
  std::string CommandLineArgs() override;
  bool FindWindowByTitle(std::string_view title) override;
  int32_t ShowCursor(bool show) override;
  void EndProgram() override;
  bool Ended() const override { return ended_; }
  std::string ProgramFolder() override;
  std::string UserDataFolder() override;
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
  bool CanOpenForReading(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  std::optional<std::string> ToCodePage932(std::string_view utf8) override;
  std::optional<std::string> FromCodePage932(std::string_view bytes) override;

  int32_t ScreenWidth() override;
  int32_t ScreenHeight() override;
  int32_t TwipsPerPixelX() override;
  int32_t TwipsPerPixelY() override;
  int32_t ScreenBitsPerPixel() override;
  bool SnapshotDesktop(Surface& into) override;
  uint32_t TickCount() override;
  void ShowMessageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  std::unique_ptr<Window> OpenWindow(const WindowSpec& spec, WindowEvents& events) override;
  bool HostWindowRect(NativeHandle window, Rect& rect) override;
  bool CursorPosition(int32_t& x, int32_t& y) override;
  void AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) override;
  bool OpenWebPage(std::string_view url) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogSpec& spec) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogSpec& spec) override;
  std::optional<uint32_t> ChooseColour(uint32_t initial, std::array<uint32_t, 16>& custom,
                                       NativeHandle owner) override;
  void PumpMessages() override;
  void WaitForFrame() override;
  void RunMessageLoop() override;

 private:
  bool ended_ = false;
  bool quitSeen_ = false;
  int64_t nextFrame_ = 0;  // performance-counter time of the next frame (fallback pacing)
  int64_t framePeriod_ = 0;  // performance-counter ticks per display refresh
};

}  // namespace tl
