// The saver following the monitors while it runs: every monitor of a new
// layout covered at once, at the fade's level.
#include <algorithm>

#include "saver/saver_window.h"
#include "saver/untouched_picture.h"

namespace tl {

void Tidelight_S::OnMonitorsChanged() {
  if (!shown_ || p_.windows.Ended()) return;
  layoutChanged_ = true;
  // Inside a step the covers are in use: its reveal ends at its next frame,
  // and the step follows the monitors before the next one.
  if (inFadeStep_) {
    b_.TransitionRunning = false;
    return;
  }
  FollowMonitors();
}

void Tidelight_S::FollowMonitors() {
  const bool wasInStep = inFadeStep_;
  inFadeStep_ = true;  // no step starts while the covers change
  while (layoutChanged_ && !p_.windows.Ended()) {
    layoutChanged_ = false;
    FollowLayout();
  }
  if (p_.windows.Ended()) return;
  inFadeStep_ = wasInStep;
  window_->SetTopmost();
}

void Tidelight_S::FollowLayout() {
  const int32_t w = p_.screen.Width(), h = p_.screen.Height();
  const Rect primary{0, 0, w, h};
  // The old places as they lie in the new layout, whose origin may be
  // another monitor's corner.
  const std::vector<Monitor> monitors = p_.screen.Monitors();
  const LayoutShift shift = ShiftBetween(monitors_, monitors);
  monitors_ = monitors;
  const Rect oldPrimary{shift.dx, shift.dy, shift.dx + Master.PixelWidth(),
                        shift.dy + Master.PixelHeight()};
  for (auto& cover : covers_)
    if (cover) cover->ShiftMonitor(shift.dx, shift.dy);
  const bool bound = Effects && Effects->Bound();
  // A new picture: the desktop where nothing of ours lay, our covers'
  // untouched pictures where they did.
  std::vector<std::unique_ptr<MonitorCover>> kept, made;
  auto compose = [&](Surface& into, const Rect& at) {
    if (!bound) return;
    CopyUntouched(*Effects, oldPrimary, into, at);
    for (const auto* list : {&covers_, &kept})
      for (const auto& cover : *list)
        if (cover && cover->Bound())
          CopyUntouched(*cover->Effects, cover->monitor().rect, into, at);
  };
  // The primary's engine keeps its planes until it is bound again. Another
  // monitor as the primary, even of the same size, needs its own picture.
  const bool primaryChanged =
      w > 0 && h > 0 &&
      (w != oldPrimary.Width() || h != oldPrimary.Height() || shift.otherPrimary);
  // The covers that still fit stay as they are; the others are made anew.
  // What stays is put in place first (on the system's screen it moves with
  // the primary), so that no new picture is taken of it; a primary of
  // another size moves once its picture is taken.
  if (!primaryChanged) window_->Move(primary);
  const std::vector<Monitor> wanted = OtherMonitorsToCover(monitors, primary);
  for (const Monitor& m : wanted) {
    auto same = std::find_if(covers_.begin(), covers_.end(), [&](const auto& c) {
      return c && c->monitor().rect == m.rect;
    });
    if (same == covers_.end()) continue;
    (*same)->window()->Move(m.rect);
    kept.push_back(std::move(*same));
  }
  for (const Monitor& m : wanted) {
    if (std::any_of(kept.begin(), kept.end(),
                    [&](const auto& c) { return c->monitor().rect == m.rect; }))
      continue;
    auto cover = std::make_unique<MonitorCover>(p_, random_, *this, m);
    if (!cover->Open()) continue;
    compose(cover->Master.Pixels(), m.rect);
    made.push_back(std::move(cover));
  }
  if (primaryChanged) {
    Master.Resize(w, h);
    p_.screen.SnapshotDesktop(Master.Pixels());
    compose(Master.Pixels(), primary);
  }
  // Every picture is composed: the old covers may go.
  covers_ = std::move(kept);
  const UiTexts& texts = TextsFor(b_.language);
  if (primaryChanged) {
    window_->Move(primary);
    Display.Resize(w, h);
    Display.SetPictureFromImage(Master);
    if (bound) {
      Effects->PictureBox(Master);
      if (p_.windows.Ended()) return;
      ShowAtLevel(*Effects, Display, Master);
      if (p_.windows.Ended()) return;
    }
    Display.Refresh();
  }
  for (auto& cover : made) {
    MonitorCover& c = *cover;
    covers_.push_back(std::move(cover));
    if (bound) {
      c.Bind(texts);
      if (p_.windows.Ended()) return;
      if (c.Bound()) ShowAtLevel(*c.Effects, c.Display, c.Master);
      if (p_.windows.Ended()) return;
    } else {
      c.Display.SetPictureFromImage(c.Master);
    }
    c.Show();
  }
}

void Tidelight_S::ShowAtLevel(Tidelight_C& engine, PictureBox& display, PictureBox& master) {
  // As the first step after the load: the next step's undo finds the
  // untouched picture.
  const FadeOperation op = FadeOperationFor(FadeLevel);
  if (op.opcode != 0) engine.ASM_IncrementalPalEffects(op.opcode, static_cast<int16_t>(op.amount));
  if (p_.windows.Ended()) return;
  display.SetPictureFromImage(master);
  display.Refresh();
}

}  // namespace tl
