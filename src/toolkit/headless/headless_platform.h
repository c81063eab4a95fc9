#pragma once
// Headless back end: deterministic, in memory, for the native tests. Windows
// and the cursor are simulated and every call is recorded; files are real
// (paths with '\' separators are mapped onto the host's '/').
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "toolkit/platform.h"

namespace tl {

class HeadlessPlatform : public Platform {
 public:
  // Scripted state the tests set.
  std::string args;
  std::set<std::string> openWindows;
  std::string programFolder = "/tmp";
  std::string userDataFolder;
  int32_t cursorCount = 0;

  // Recorded calls.
  std::vector<std::string> calls;
  std::vector<std::string> filesRead;
  bool ended = false;

  std::string CommandLineArgs() override { return args; }
  bool FindWindowByTitle(std::string_view title) override;
  int32_t ShowCursor(bool show) override;
  void EndProgram() override;
  bool Ended() const override { return ended; }
  std::string ProgramFolder() override { return programFolder; }
  std::string UserDataFolder() override { return userDataFolder; }
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
  bool CanOpenForReading(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;
  std::optional<std::string> ToCodePage932(std::string_view utf8) override;
  std::optional<std::string> FromCodePage932(std::string_view bytes) override;

  static std::string HostPath(std::string path);

  // --- screen, clock, windows and messages ---
  int32_t screenWidth = 1024, screenHeight = 768;
  int32_t twipsPerPixelX = 15, twipsPerPixelY = 15;
  int32_t bitsPerPixel = 32;
  Surface desktop;         // what a snapshot copies; black where it has no pixels
  uint32_t frameMs = 16;   // one display frame on the virtual clock
  uint64_t clockMs = 0;    // the virtual clock; TickCount is its low 32 bits
  std::map<NativeHandle, Rect> hostWindows;  // foreign windows a child may live in

  struct ShownMessage {
    std::string text, title;
    MessageIcon icon;
  };
  std::vector<ShownMessage> messageBoxes;
  uint64_t framesWaited = 0;

  int32_t ScreenWidth() override { return screenWidth; }
  int32_t ScreenHeight() override { return screenHeight; }
  int32_t TwipsPerPixelX() override { return twipsPerPixelX; }
  int32_t TwipsPerPixelY() override { return twipsPerPixelY; }
  int32_t ScreenBitsPerPixel() override { return bitsPerPixel; }
  bool SnapshotDesktop(Surface& into) override;
  uint32_t TickCount() override { return static_cast<uint32_t>(clockMs); }
  void ShowMessageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  std::unique_ptr<Window> OpenWindow(const WindowSpec& spec, WindowEvents& events) override;
  bool HostWindowRect(NativeHandle window, Rect& rect) override;
  void PumpMessages() override;
  void WaitForFrame() override;
  void RunMessageLoop() override;

  // The pointer, the browser and the dialogs' scripted answers.
  int32_t cursorX = 0, cursorY = 0;
  bool browserOpens = true;
  std::vector<std::string> webPagesOpened;
  std::optional<std::string> fileToOpen, fileToSave;  // nothing: cancelled
  std::optional<uint32_t> colourChosen;
  std::vector<FileDialogSpec> fileDialogs;  // every file dialog shown, in order
  bool CursorPosition(int32_t& x, int32_t& y) override;
  void AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) override;
  bool OpenWebPage(std::string_view url) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogSpec& spec) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogSpec& spec) override;
  std::optional<uint32_t> ChooseColour(uint32_t initial, std::array<uint32_t, 16>& custom,
                                       NativeHandle owner) override;

  // Test input: queued like the platform's messages, delivered by the next pump.
  void Click(Window& w, int32_t x, int32_t y);
  void MoveMouse(Window& w, int32_t x, int32_t y);
  void PressKey(Window& w, int32_t virtualKey);
  // The host destroys a foreign window: every child of it is told.
  void DestroyHost(NativeHandle host);
  // Runs `input` (a Click, a key...) when the virtual clock reaches `ms`,
  // wherever the program is pumping messages then.
  void At(uint64_t ms, std::function<void()> input);
  // Runs the message loop on the virtual clock for `ms` milliseconds: timers
  // fire when due, queued input is handled first.
  void Advance(uint64_t ms);
  size_t PendingMessages() const { return queue_.size(); }

  std::vector<class HeadlessWindow*> Windows() const { return windows_; }
  HeadlessWindow* FindWindow(std::string_view title) const;
  uint64_t NowMs() const { return clockMs; }
  void Forget(HeadlessWindow* w);

 private:
  bool DeliverOneTimer(uint64_t upTo);
  void QueueDueInput();
  std::multimap<uint64_t, std::function<void()>> scheduled_;
  std::deque<std::function<void()>> queue_;
  std::vector<HeadlessWindow*> windows_;
  NativeHandle nextHandle_ = 0x1000;
};

}  // namespace tl
