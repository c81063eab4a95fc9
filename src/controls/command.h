#pragma once
// `Command`: the program's own push button. It paints its face itself (a
// gradient body, a frame cut from one of six state pictures, the caption on
// top), follows the pointer, the left button and the keyboard focus through
// its input states, and raises Click on a release.
//
// A host places it on one of its windows at a position in twips, then loads
// it: from its stored properties, or as a button placed new. The host calls
// Initialize once its window has loaded; until then the pointer is ignored.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "controls/command_input.h"
#include "controls/property_bag.h"
#include "controls/state_pictures.h"
#include "controls/twips.h"
#include "toolkit/label.h"
#include "toolkit/picture_box.h"
#include "toolkit/platform.h"

namespace tl {

// What a control needs of the window that holds it.
class ControlHost {
 public:
  virtual ~ControlHost() = default;
  // The window the control lives in; nothing while it has none.
  virtual Window* HostWindow() = 0;
  // The font a control placed new takes its defaults from.
  virtual Font AmbientFont() = 0;
  // A property changed: a designing host would save it; at run time nothing.
  virtual void PropertyChanged(std::string_view /*property*/) {}
};

class Command : public WindowEvents {
 public:
  static constexpr int32_t kDesignWidth = 1755, kDesignHeight = 420;  // twips
  static constexpr int32_t kTmrMouse = 1;
  static constexpr uint32_t kTmrMouseInterval = 100;  // ms
  static constexpr double kLabelHeight = 195;         // twips
  static constexpr uint32_t kBackColour = 0xECE9D8;   // pixel under the face before it is painted

  // The design font of the caption.
  static Font DesignFont() { return {"ＭＳ Ｐゴシック", 9.75, 400, charset::kShiftJis}; }

  Command(Platform& p, ControlHost& host, const TwipRect& at);
  ~Command() override;
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  // Loading: the stored properties, or none for a button placed new; then
  // the control takes its size, which paints the face.
  void Load(const PropertyBag* stored);
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag);
  // Moves and resizes the control; a change of size, in twips or in pixels
  // (the screen's resolution changed), repaints its face.
  void Move(const TwipRect& at);

  // Properties.
  const std::string& Caption() const { return LblMsg.caption; }
  void SetCaption(std::string caption);
  bool Enabled();
  void SetEnabled(bool enabled);
  std::shared_ptr<Font> GetFont() const { return LblMsg.font; }
  void SetFont(std::shared_ptr<Font> font);
  uint32_t FontColour();
  void SetFontColour(uint32_t colour);
  uint8_t Visible();
  void SetVisible(uint8_t visible);

  // Starts the state machine and the 100 ms pointer watch.
  void Initialize();
  // The event: raised last in a handler, so the host may destroy the button in it.
  std::function<void()> Click;

  // What the host and the tests look at.
  uint8_t ButtonState() const { return input_.ButtonState(); }
  bool LeftDown() const { return input_.LeftDown(); }
  uint8_t FirstRun() const { return firstRun_; }
  bool EnabledFlag() const { return enabled_; }
  bool GradientFlip() const { return gradientFlip_; }
  uint8_t BackStyle() const { return backStyle_; }
  std::optional<StatePicture> LastPicture() const { return lastPicture_; }
  const Surface& Face() const { return face_.Pixels(); }  // the persistent face
  const Surface& Shown() const { return shown_; }         // the face with its caption
  const Label& CaptionLabel() const { return LblMsg; }
  const StatePictures& Pictures() const { return pictures_; }
  Window* window() const { return window_.get(); }
  TwipRect Placement() const { return at_; }

  // Window events.
  void OnButtonDown(MouseButton button, int32_t x, int32_t y) override;
  void OnButtonUp(MouseButton button, int32_t x, int32_t y) override;
  void OnMouseMove(int32_t x, int32_t y) override;
  void OnFocus(bool gained) override;
  void OnTimer(int32_t timerId) override;

 private:
  void DrawFace(StatePicture picture);
  void ShowEnabledLook();
  void RefreshNormal();
  void PointerLeft();
  void PointerWatch();
  // Paints what an input event asks, then raises Click if it asks that.
  void Apply(const InputOutcome& outcome);
  // The face with the caption on top, onto the window.
  void Present();
  void Resized();

  Platform& p_;
  ControlHost& host_;
  TwipRect at_;
  StatePictures pictures_;
  Label LblMsg;
  PictureBox face_;
  Surface shown_;  // what the window shows; it repaints from it
  CommandInput input_;
  bool enabled_ = false;
  uint8_t firstRun_ = 0;
  bool gradientFlip_ = false;
  uint8_t backStyle_ = 1;  // 1 opaque, 0 transparent
  std::optional<StatePicture> lastPicture_;
  std::unique_ptr<Window> window_;  // last: it goes before the pixels it shows
};

}  // namespace tl
