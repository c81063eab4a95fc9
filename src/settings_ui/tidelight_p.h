#pragma once
// `Tidelight_P`: the settings dialog. It shows the settings record, lets the
// user change the music source, the repeat track, the music file and the two
// fade sliders, and on "設定" writes all five keys; every other way of
// closing writes nothing. It opens and closes with the zoom animation.
//
// The panel is painted into the dialog's own pixels (it has no window), so
// its labels, frames and marks are drawn over its shading; the buttons, the
// sliders and the repeat list are child windows of the dialog.
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "controls/command.h"
#include "settings_ui/dialog_layout.h"
#include "shared/base_module.h"
#include "toolkit/label.h"
#include "toolkit/platform.h"
#include "toolkit/screen_at_dpi.h"

namespace tl {

// The address the link opens; set at build time.
std::string LinkAddress();

class Tidelight_P : public WindowEvents, public ControlHost {
 public:
  Tidelight_P(Platform& p, BaseModule& b);
  ~Tidelight_P() override;
  Tidelight_P(const Tidelight_P&) = delete;
  Tidelight_P& operator=(const Tidelight_P&) = delete;

  // Loads and shows the dialog, and returns once it has closed.
  void ShowModal();
  // Opens, loads and shows the dialog without waiting for it to close.
  void Show();

  // The handlers.
  void SelectMusicKind(int16_t kind);
  void ChooseMusicFile();
  void OpenWebPage();
  void Apply();
  void Cancel();

  // Window events of the dialog.
  void OnButtonDown(MouseButton button, int32_t x, int32_t y) override;
  void OnButtonUp(MouseButton button, int32_t x, int32_t y) override;
  void OnMouseMove(int32_t x, int32_t y) override;
  void OnClosing() override;
  void OnDestroyed() override;
  // Lays everything out again at the new resolution, in the place given.
  void OnDpiChanged(int32_t dpiX, int32_t dpiY, const Rect& suggested) override;
  bool ClientSizeAtDpi(int32_t dpi, int32_t& width, int32_t& height) override;

  // ControlHost.
  Window* HostWindow() override { return window_.get(); }
  Font AmbientFont() override { return dialog_layout::LabelFont(b_.language); }

  // What the tests look at.
  Window* window() const { return window_.get(); }
  Command* CmdSet() const { return cmdSet_.get(); }
  Command* CmdCan() const { return cmdCan_.get(); }
  Command* CmdFile() const { return cmdFile_.get(); }
  ScrollBar* FadeBar() const { return fadeBar_.get(); }
  ScrollBar* SpeedBar() const { return speedBar_.get(); }
  DropDown* RepeatList() const { return repeat_.get(); }
  const std::string& FadeText() const { return fadeLabel_.caption; }
  const std::string& SpeedText() const { return speedLabel_.caption; }
  const std::string& FileText() const { return fileLabel_.caption; }
  const std::string& LinkText() const { return linkLabel_.caption; }
  const std::string& LastFolder() const { return lastFolder_; }
  // The row showing the chosen mark, if any.
  std::optional<int16_t> MarkedRow() const;
  const Surface& DialogShading() const { return dialogShade_; }
  const Surface& PanelShading() const { return panelShade_; }
  const Surface& Shown() const { return shown_; }
  bool Closed() const { return closed_; }
  // Client pixels of the dialog.
  Rect PanelRect() const { return panelPx_; }
  Rect MarkRect(int16_t kind) const;
  Rect RowLabelRect(int16_t kind) const;
  Rect LinkRect() const;

 private:
  struct BarEvents : ScrollBarEvents {
    Tidelight_P* dialog = nullptr;
    Label* label = nullptr;
    void OnChange(int32_t value) override { dialog->ShowBarValue(*label, value); }
    void OnScroll(int32_t value) override { dialog->ShowBarValue(*label, value); }
  };

  void Load();
  // The dialog opens at the primary monitor's resolution, whatever follows
  // the mode letter.
  void UsePrimaryMonitorDpi();
  // Twips per pixel and the pixel rectangles at the dialog's resolution.
  void Measure();
  void SizeSurfaces();
  void Position();
  void MakeControls();
  // At a new resolution: every control where its twips now fall.
  void PlaceControls();
  void PlaceFileLabel();
  void MakeLabels();
  void ShowMarks();
  // The resize handler: shades the two back buffers, then repaints.
  void Resized();
  void Paint();
  void PaintPanel(Surface& panel);
  void ShowBarValue(Label& label, int32_t value);
  // Runs the closing zoom and destroys the window.
  void Unload();
  Rect PanelChild(const TwipRect& at) const;
  TwipRect OnDialog(const TwipRect& panelAt) const;

  ScreenAtDpi screen_;  // the screen at the resolution of the dialog's monitor
  Platform p_;          // the program's platform with that screen
  BaseModule& b_;
  int32_t tx_ = 15, ty_ = 15;  // twips per pixel
  int32_t clientW_ = 0, clientH_ = 0;
  Rect panelPx_;
  std::string lastFolder_;
  std::array<bool, 3> marked_{};  // each row's mark: true for the chosen one
  Surface unmarked_, markedPicture_;
  Surface dialogShade_, panelShade_;  // drawn once, kept across repaints
  Surface shown_;                     // what the window shows
  bool shaded_ = false;
  bool closed_ = false;
  bool linkPressed_ = false;
  MousePointer pointer_ = MousePointer::Default;

  std::vector<Label> panelLabels_;
  std::array<Label, 3> rowLabels_;
  Label fadeLabel_, speedLabel_, fileLabel_, linkLabel_;
  BarEvents fadeEvents_, speedEvents_;

  std::unique_ptr<Window> window_;
  // Children after the window: they go first.
  std::unique_ptr<Command> cmdCan_, cmdSet_, cmdFile_;
  std::unique_ptr<ScrollBar> fadeBar_, speedBar_;
  std::unique_ptr<DropDown> repeat_;
};

}  // namespace tl
