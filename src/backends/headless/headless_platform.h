#pragma once
// Headless back end: deterministic, in memory, for the native tests.
//
// Implements, as the win32 back end does:
//   Files         real files (paths with '\' separators mapped onto '/')
//   Screen        a screen of the size, resolution and depth the test sets,
//                 a desktop picture to snapshot, a scripted pointer
//   Shell         message boxes, browser and common dialogs: recorded, with
//                 scripted answers
//   WindowSystem  simulated windows, a virtual clock, window timers that fire
//                 from it, a message queue with scripted input
//   PictureFiles  real files: BMP by our code, PNG, JPEG and GIF by the
//                 build's codecs (Debian's libraries natively)
// Every call is recorded. After EndProgram, every further call through the
// seam is counted as a late call (see window_system.h).
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "backends/headless/headless_media.h"
#include "toolkit/platform.h"

namespace tl {

class HeadlessWindow;

class HeadlessPlatform final : public Files,
                               public Screen,
                               public Shell,
                               public WindowSystem,
                               public PictureFiles {
 public:
  HeadlessPlatform() = default;
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  // The seam as the program sees it, with the simulated multimedia system.
  HeadlessMedia media;
  Platform seam{*this, *this, *this, *this, media, *this};
  // Tests hand the back end itself wherever the program takes the seam.
  operator Platform&() { return seam; }

  // Called for each call through the seam after EndProgram; the tests make it
  // a test failure.
  static inline std::function<void(const std::string&)> onLateCall;

  // Recorded calls.
  std::vector<std::string> calls;
  std::vector<std::string> filesRead;
  bool ended = false;
  int lateCalls = 0;

  // --- files ---
  std::string programPath = "/tmp/Tidelight.scr";
  std::string userDataFolder;
  static std::string HostPath(std::string path);

  std::string ProgramPath() override;
  std::string UserDataFolder() override;
  std::optional<std::vector<uint8_t>> ReadFile(const std::string& path) override;
  bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
  bool CanOpenForReading(const std::string& path) override;
  bool MakeFolder(const std::string& path) override;

  // --- screen ---
  int32_t screenWidth = 1024, screenHeight = 768;
  int32_t dpiX = 96, dpiY = 96;
  int32_t bitsPerPixel = 32;
  Surface desktop;  // what a snapshot copies; black where it has no pixels
  bool snapshotFails = false;
  int32_t cursorX = 0, cursorY = 0;
  bool cursorReadable = true;

  int32_t Width() override;
  int32_t Height() override;
  int32_t DpiX() override;
  int32_t DpiY() override;
  int32_t BitsPerPixel() override;
  bool SnapshotDesktop(Surface& into) override;
  bool CursorPosition(int32_t& x, int32_t& y) override;

  // --- shell ---
  struct ShownMessage {
    std::string text, title;
    MessageIcon icon;
  };
  std::vector<ShownMessage> messageBoxes;
  bool browserOpens = true;
  std::vector<std::string> webPagesOpened;
  std::optional<std::string> fileToOpen, fileToSave;  // nothing: cancelled
  std::optional<uint32_t> colourChosen;
  // The custom colours each colour dialog was given, and what the user
  // leaves in them (nothing: left as given).
  std::vector<std::array<uint32_t, 16>> customColoursOffered;
  std::optional<std::array<uint32_t, 16>> customColoursLeft;
  std::vector<FileDialogSpec> fileDialogs;  // every file dialog shown, in order

  void ShowMessageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  bool OpenWebPage(std::string_view url) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogSpec& spec) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogSpec& spec) override;
  std::optional<uint32_t> ChooseColour(uint32_t initial, std::array<uint32_t, 16>& custom,
                                       NativeHandle owner) override;

  // --- picture files ---
  std::vector<std::string> picturesLoaded, picturesSaved;  // paths, in order

  DecodedPicture LoadPicture(const std::string& path, uint32_t background) override;
  bool SavePictureAsBmp(const std::string& path, const Surface& pixels) override;

  // --- window system ---
  std::string commandLine = "Tidelight.scr";  // as the system gives it, path first
  std::set<std::string> openWindows;  // captions of top-level windows that exist
  int32_t cursorCount = 0;
  uint32_t frameMs = 16;   // one display frame on the virtual clock
  uint64_t clockMs = 0;    // the virtual clock; TickCount is its low 32 bits
  // A message loop with timers that never stop would run for ever; past this
  // much virtual time without the program ending, the loops give up.
  uint64_t loopLimitMs = 3600 * 1000;
  std::map<NativeHandle, Rect> hostWindows;  // foreign windows a child may live in
  uint64_t framesWaited = 0;

  // The arguments after the program's path, as the tests like to give them.
  void SetArguments(std::string_view args);

  std::string CommandLine() override;
  bool FindWindowByTitle(std::string_view title) override;
  int32_t ShowCursor(bool show) override;
  std::unique_ptr<Window> OpenWindow(const WindowSpec& spec, WindowEvents& events) override;
  bool HostWindowRect(NativeHandle window, Rect& rect) override;
  void AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) override;
  uint32_t TickCount() override;
  void PumpMessages() override;
  void WaitForFrame() override;
  void RunModal(Window& window) override;
  void RunMessageLoop() override;
  void EndProgram() override;
  bool Ended() const override { return ended; }

  // Test input: queued like the platform's messages, delivered by the next pump.
  void Click(Window& w, int32_t x, int32_t y);
  void MoveMouse(Window& w, int32_t x, int32_t y);
  void PressKey(Window& w, int32_t virtualKey);
  // The user closes a captioned window (its close box, Alt+F4).
  void CloseWindow(Window& w);
  // The host destroys a foreign window: every child of it is told.
  void DestroyHost(NativeHandle host);
  // Runs `input` (a Click, a key...) when the virtual clock reaches `ms`,
  // wherever the program is pumping messages then.
  void At(uint64_t ms, std::function<void()> input);
  // Runs the message loop on the virtual clock for `ms` milliseconds: timers
  // fire when due, queued input is handled first.
  void Advance(uint64_t ms);
  size_t PendingMessages() const { return queue_.size(); }

  std::vector<HeadlessWindow*> Windows() const { return windows_; }
  HeadlessWindow* FindWindow(std::string_view title) const;
  uint64_t NowMs() const { return clockMs; }
  void Forget(HeadlessWindow* w);
  // Records a call through the seam (and counts it when it comes too late).
  void Note(std::string call);
  // The same for frequent calls, which are counted when late but not recorded.
  void NoteQuietly(const char* call);

 private:
  void Pump();
  bool DeliverOneTimer(uint64_t upTo);
  void QueueDueInput();
  // Runs messages and timers until `done`, the end of the program, the loop
  // limit, or nothing left that could ever arrive.
  void RunUntil(const std::function<bool()>& done);
  std::multimap<uint64_t, std::function<void()>> scheduled_;
  std::deque<std::function<void()>> queue_;
  std::vector<HeadlessWindow*> windows_;
  NativeHandle nextHandle_ = 0x1000;
};

}  // namespace tl
