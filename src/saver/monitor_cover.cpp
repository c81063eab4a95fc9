#include "saver/monitor_cover.h"

namespace tl {

MonitorCover::MonitorCover(Platform& p, RandomGenerator& random, WindowEvents& owner,
                           const Monitor& monitor)
    : Display(p, false), Master(p, true), p_(p), random_(random), owner_(owner), monitor_(monitor) {
  Master.visible = false;
}

// The engine goes before the boxes it is bound to.
MonitorCover::~MonitorCover() { Effects.reset(); }

bool MonitorCover::Open() {
  const Rect& r = monitor_.rect;
  WindowSpec spec{kTitle, WindowKind::Popup, r};
  spec.topmost = true;
  spec.noTaskbarButton = true;
  window_ = p_.windows.OpenWindow(spec, *this);
  if (!window_) return false;
  Master.Resize(r.Width(), r.Height());
  Display.SetHost(window_.get());
  Display.Resize(r.Width(), r.Height());
  p_.screen.SnapshotDesktopAt(Master.Pixels(), r.left, r.top);
  Display.SetPictureFromImage(Master);
  return true;
}

void MonitorCover::Show() {
  if (!window_) return;
  window_->ShowWithoutActivating();
  Display.Refresh();
  window_->SetTopmost();
}

bool MonitorCover::Bind(const UiTexts& texts) {
  if (!window_) return false;
  if (!Effects) Effects = std::make_unique<Tidelight_C>(p_, random_, texts);
  Effects->PictureBox(Master);
  return Effects->Bound();
}

void MonitorCover::Undo() {
  if (Bound()) Effects->UndoLastDontDraw();
}

void MonitorCover::Apply(int32_t opcode, int16_t amount) {
  if (Bound()) Effects->ASM_IncrementalPalEffects(opcode, amount);
}

}  // namespace tl
