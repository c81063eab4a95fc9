#pragma once
// The saver's cover of one monitor besides the primary one: a borderless
// window over the monitor showing the snapshot of its own part of the
// desktop, with its own engine, faded in step with the primary screen.
// Input on it goes to the saver's own handlers.
#include <memory>

#include "base/random.h"
#include "picfx/tidelight_c.h"
#include "toolkit/monitors.h"
#include "toolkit/picture_box.h"
#include "toolkit/platform.h"

namespace tl {

class MonitorCover : public WindowEvents {
 public:
  static constexpr const char* kTitle = "Tidelight_Monitor";

  // `owner` receives the input and the window's end.
  MonitorCover(Platform& p, RandomGenerator& random, WindowEvents& owner, const Monitor& monitor);
  ~MonitorCover() override;

  // Opens the window (not shown yet) and takes the snapshot; false when
  // there is no window.
  bool Open();
  // Shows the window above the others, leaving the activation where it is.
  void Show();
  // Binds the engine to the snapshot; false when it refuses the picture.
  bool Bind(const UiTexts& texts);

  // The fade's operation on this monitor's picture. Both may let pending
  // messages run, so the program may have ended when they return.
  void Undo();
  void Apply(int32_t opcode, int16_t amount);

  void OnKeyDown(int32_t key) override { owner_.OnKeyDown(key); }
  void OnMouseDown(int32_t x, int32_t y) override { owner_.OnMouseDown(x, y); }
  void OnMouseMove(int32_t, int32_t) override {}
  void OnDestroyed() override { owner_.OnDestroyed(); }
  bool OnScreenSaverRequest() override { return owner_.OnScreenSaverRequest(); }

  const Monitor& monitor() const { return monitor_; }
  // The virtual screen moved (its primary is another monitor): the same
  // monitor at its place in the new layout; the window stays where it is.
  void ShiftMonitor(int32_t dx, int32_t dy) {
    monitor_.rect = {monitor_.rect.left + dx, monitor_.rect.top + dy, monitor_.rect.right + dx,
                     monitor_.rect.bottom + dy};
  }
  Window* window() const { return window_.get(); }
  bool Bound() const { return Effects && Effects->Bound(); }

  PictureBox Display;
  PictureBox Master;
  std::unique_ptr<Tidelight_C> Effects;

 private:
  Platform& p_;
  RandomGenerator& random_;
  WindowEvents& owner_;
  Monitor monitor_;
  std::unique_ptr<Window> window_;
};

}  // namespace tl
