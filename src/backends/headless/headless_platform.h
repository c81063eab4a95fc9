#pragma once
// Headless back end: deterministic, in memory, for the native tests.
//
// Implements, as the win32 back end does:
//   Files         real files (paths with '\' separators mapped onto '/')
//   Screen        a screen of the size, resolution and depth the test sets,
//                 a desktop picture to snapshot, a scripted pointer, and
//                 any layout of monitors (negative places, mixed DPI)
//   Shell         message boxes, browser and common dialogs: recorded, with
//                 scripted answers; the user-interface language the test sets
//   WindowSystem  simulated windows and controls, a virtual clock, window
//                 timers that fire from it, a message queue with scripted
//                 input (a pointer that moves over the windows, mouse
//                 buttons held by the control pressed, keyboard focus), the
//                 window under a point, and text: every text draw recorded,
//                 its ink drawn as a plain box (see headless_text.cpp)
//                 The platform's own controls (scroll bars, drop-down
//                 lists) keep their state and take input from the tests;
//                 the pointer set for the whole screen is recorded; the
//                 system's notices (resolution, activation, display power)
//                 come by Notify.
//   PictureFiles  real files: BMP by our code, PNG, JPEG and GIF by the
//                 build's codecs (Debian's libraries natively)
//
// Geometry: a top-level window's client area is its whole rectangle (no
// frame), a child's or a control's is placed in its host's client area.
// Every call is recorded. After EndProgram, every further call through the
// seam is counted as a late call (see window_system.h).
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "backends/headless/headless_controls.h"
#include "backends/headless/headless_media.h"
#include "base/frame_pacing.h"
#include "toolkit/platform.h"

namespace tl {

class HeadlessWindow;

class HeadlessPlatform final : public Files,
                               public Screen,
                               public Shell,
                               public WindowSystem,
                               public PictureFiles {
 public:
  HeadlessPlatform() {
    media.onCall = [this](const char* call) { NoteQuietly(call); };
  }
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

  // Runs before every call through the seam while the program lives, with
  // the call's name: tests inject faults and input at any moment with it.
  std::function<void(const std::string&)> beforeEachCall;

  // Recorded calls.
  std::vector<std::string> calls;
  std::vector<std::string> filesRead;
  bool ended = false;
  int lateCalls = 0;

  // --- files ---
  std::string programPath = "/tmp/Tidelight.scr";
  std::string userDataFolder;
  bool writesFail = false;  // every write and new folder refused, as on a read-only disk
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

  // --- monitors ---
  // Empty: the primary screen alone, from the size and DPI above. A test
  // giving a layout keeps its primary monitor's size equal to the screen's.
  std::vector<Monitor> monitors;
  // The virtual-screen point where `desktop` starts, left of or above the
  // primary monitor when others lie there.
  int32_t desktopLeft = 0, desktopTop = 0;
  // Makes `monitors` (the first one primary) and a desktop covering them all.
  void SetMonitors(std::vector<Monitor> layout);

  std::vector<Monitor> Monitors() override;
  bool SnapshotDesktopAt(Surface& into, int32_t x, int32_t y) override;

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
  uint16_t uiLanguage = 0x0411;             // Japanese unless a test chooses another

  void ShowMessageBox(std::string_view text, std::string_view title, MessageIcon icon) override;
  bool OpenWebPage(std::string_view url) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogSpec& spec) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogSpec& spec) override;
  std::optional<uint32_t> ChooseColour(uint32_t initial, std::array<uint32_t, 16>& custom,
                                       NativeHandle owner) override;
  uint16_t UserInterfaceLanguage() override;

  // --- picture files ---
  std::vector<std::string> picturesLoaded, picturesSaved;  // paths, in order

  DecodedPicture LoadPicture(const std::string& path, uint32_t background) override;
  bool SavePictureAsBmp(const std::string& path, const Surface& pixels) override;

  // --- window system ---
  std::string commandLine = "Tidelight.scr";  // as the system gives it, path first
  std::set<std::string> openWindows;  // captions of top-level windows that exist
  int32_t cursorCount = 0;
  uint32_t frameMs = 16;   // one display frame on the virtual clock
  // A display of this refresh rate instead (refresh k at k * 1000 / hz ms),
  // its frames paced to a 60 Hz display's (PassPacer); 0: frames of frameMs.
  int32_t refreshHz = 0;
  uint64_t clockMs = 0;    // the virtual clock; TickCount is its low 32 bits
  // A message loop with timers that never stop would run for ever; past this
  // much virtual time without the program ending, the loops give up.
  uint64_t loopLimitMs = 3600 * 1000;
  std::map<NativeHandle, Rect> hostWindows;  // foreign windows a child may live in
  HeadlessWindow* activeWindow = nullptr;    // the top-level window of ours shown last
  uint64_t framesWaited = 0;
  int32_t presentPieceSlack = 4096;  // as a server's presents cost; 0 as win32's

  // The arguments after the program's path, as the tests like to give them.
  void SetArguments(std::string_view args);

  std::string CommandLine() override;
  bool FindWindowByTitle(std::string_view title) override;
  int32_t ShowCursor(bool show) override;
  std::unique_ptr<Window> OpenWindow(const WindowSpec& spec, WindowEvents& events) override;
  bool WindowRect(NativeHandle window, Rect& rect) override;
  NativeHandle WindowAt(int32_t x, int32_t y) override;
  void AnimateCaption(NativeHandle window, const Rect& from, const Rect& to) override;
  uint32_t TickCount() override;
  void PumpMessages() override;
  void WaitForFrame() override;
  int32_t PresentPieceSlack() const override { return presentPieceSlack; }
  void RunModal(Window& window) override;
  void RunMessageLoop() override;
  void EndProgram() override;
  bool Ended() const override { return ended; }

  // --- the platform's own controls and the screen's pointer ---
  std::vector<HeadlessScrollBar*> scrollBars;  // those alive, in the order made
  std::vector<HeadlessDropDown*> dropDowns;
  MousePointer screenPointer = MousePointer::Default;
  std::vector<MousePointer> screenPointersSet;  // every change, in order
  std::unique_ptr<ScrollBar> OpenScrollBar(const ScrollBarSpec& spec,
                                           ScrollBarEvents& events) override;
  std::unique_ptr<DropDown> OpenDropDown(const DropDownSpec& spec) override;
  void SetScreenPointer(MousePointer pointer) override;

  // --- text ---
  std::set<std::string> installedFaces = {"ＭＳ Ｐゴシック", "MS UI Gothic", "Arial"};
  std::vector<TextDraw> textDraws;  // every text drawn, in order
  static constexpr uint32_t kGreyedText = 0x808080, kGreyedHighlight = 0xFFFFFF;  // pixels
  void DrawText(Surface& onto, const TextDraw& text) override;
  bool HasFontFace(std::string_view face, uint8_t charset) override;

  // Test input: queued like the platform's messages, delivered by the next pump.
  // Straight to one window, wherever the pointer is:
  void Click(Window& w, int32_t x, int32_t y);
  void MoveMouse(Window& w, int32_t x, int32_t y);
  // The pointer, to a client point of a window or to a point of the screen,
  // in turn with the other input. The window holding the pointer gets the
  // move, else the window under it.
  void PointAt(const Window& w, int32_t x, int32_t y);
  void PointAtScreen(int32_t x, int32_t y);
  // A mouse button at the pointer. A press on a control makes it hold the
  // pointer until every button is up; a left press also gives it the focus.
  void Press(MouseButton button = MouseButton::Left);
  void Release(MouseButton button = MouseButton::Left);
  // The focus moved to a window by the keyboard (the Tab key).
  void FocusByKeyboard(Window& w);
  void PressKey(Window& w, int32_t virtualKey);
  // The user closes a captioned window (its close box, Alt+F4).
  void CloseWindow(Window& w);
  // A notice of the system to a window (a new resolution, the display's
  // power, the activation), delivered by the next pump.
  void Notify(Window& w, std::function<void(WindowEvents&)> notice);
  // The host destroys a foreign window: every child of it is told (at the
  // next pump).
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
  // Moves the focus, telling the window that loses it, then the one that gains it.
  void Focus(HeadlessWindow* w);
  HeadlessWindow* Focused() const { return focused_; }
  HeadlessWindow* Holding() const { return capture_; }
  // Where a window's client area starts on the screen; false when it has no place.
  bool ClientOrigin(const HeadlessWindow& w, int32_t& x, int32_t& y) const;
  // Records a call through the seam (and counts it when it comes too late).
  void Note(std::string call);
  // The same for frequent calls, which are counted when late but not recorded.
  void NoteQuietly(const char* call);

 private:
  void Pump();
  void RunHook(const std::string& call);
  bool DeliverOneTimer(uint64_t upTo);
  void QueueDueInput();
  HeadlessWindow* Own(NativeHandle h) const;
  bool Showing(const HeadlessWindow& w) const;
  // The window that takes pointer input now: the one holding the pointer,
  // else the one of ours under it.
  HeadlessWindow* PointerTarget();
  void Deliver(HeadlessWindow* w, const std::function<void(HeadlessWindow&, int32_t, int32_t)>& f);
  // Runs messages and timers until `done`, the end of the program, the loop
  // limit, or nothing left that could ever arrive.
  void RunUntil(const std::function<bool()>& done);
  std::multimap<uint64_t, std::function<void()>> scheduled_;
  std::deque<std::function<void()>> queue_;
  std::vector<HeadlessWindow*> windows_;
  HeadlessWindow* focused_ = nullptr;
  HeadlessWindow* capture_ = nullptr;
  uint32_t buttonsDown_ = 0;  // bit per MouseButton
  NativeHandle nextHandle_ = 0x1000;
  bool inHook_ = false;
  PassPacer pacer_;
};

}  // namespace tl
