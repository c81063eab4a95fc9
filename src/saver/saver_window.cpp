#include "saver/saver_window.h"

#include "saver/reveal_transition.h"
#include "shared/command_line.h"

namespace tl {

namespace {
constexpr uint32_t kIntervals[4] = {0, 1000, 200, 1};
}  // namespace

Tidelight_S::Tidelight_S(Platform& p, BaseModule& b)
    : Display(p, false), Master(p, true), p_(p), b_(b), music_(p.media, b.LastApiResult) {
  Master.visible = false;  // inside the hidden frame
}

Tidelight_S::~Tidelight_S() = default;

bool Tidelight_S::TimerEnabled(int32_t id) const { return id > 0 && id < 4 && timerOn_[id]; }

void Tidelight_S::EnableTimer(int32_t id, bool on) {
  if (!window_ || timerOn_[id] == on) return;
  timerOn_[id] = on;
  if (on)
    window_->StartTimer(id, kIntervals[id]);
  else
    window_->StopTimer(id);
}

void Tidelight_S::Load() {
  // The window, the hidden Master and Display all get the primary screen's
  // size in physical pixels; nothing is shown before the snapshot is taken.
  const int32_t w = p_.screen.Width(), h = p_.screen.Height();
  WindowSpec spec{"Tidelight_Main", WindowKind::Popup, {0, 0, w, h}};
  spec.topmost = true;
  window_ = p_.windows.OpenWindow(spec, *this);
  // Without its window the saver has nothing to show and nothing to end it.
  if (!window_) {
    p_.windows.EndProgram();
    return;
  }
  Master.Resize(w, h);
  Display.SetHost(window_.get());
  Display.Resize(w, h);
  p_.screen.SnapshotDesktop(Master.Pixels());
  Display.SetPictureFromImage(Master);
  // The other monitors are copied too before anything is shown.
  OpenCovers({0, 0, w, h});
  const UiTexts& texts = TextsFor(b_.language);
  if (!Effects) Effects = std::make_unique<Tidelight_C>(p_, random_, texts);
  Effects->PictureBox(Master);
  // An engine refusing the screen has said so once; the others are not asked.
  if (Effects->Bound())
    for (auto& cover : covers_) cover->Bind(texts);
  FadeLevel = kFadeUntouched;
  FadeDown = true;
  music_.RetryFailures(b_.MusicRetriesFailures);
  music_.Start(b_.settings);
  EnableTimer(kTimer2, music_.CdSupervised());
  EnableTimer(kTimer1, music_.WantsMp3Upkeep());
  // The covers show without taking the activation; the main window shows
  // last and is the one active (the one the system judges full-screen by).
  for (auto& cover : covers_) cover->Show();
  window_->Show();
  shown_ = true;
  Display.Refresh();
  window_->SetTopmost();
  // An engine that refused the screen (its one message said so) is never
  // asked to fade: each call would only bring more messages. The snapshot
  // stays on screen, the music plays, and input ends the saver as always.
  EnableTimer(kTimer3, Effects->Bound());
}

void Tidelight_S::OnTimer(int32_t timerId) {
  switch (timerId) {
    case kTimer1: MusicFileTick(); break;
    case kTimer2: CdTick(); break;
    case kTimer3: FadeStep(); break;
  }
}

void Tidelight_S::MusicFileTick() { music_.Mp3Tick(); }

void Tidelight_S::CdTick() {
  music_.CdTick();
  EnableTimer(kTimer2, music_.CdSupervised());
}

void Tidelight_S::FadeStep() {
  // Ticks keep coming while a step's reveal pumps messages; a step never
  // starts inside another.
  if (inFadeStep_ || b_.TransitionRunning || !Effects || !Effects->Bound()) return;
  if (!displayOn_) {
    window_->StopTimer(kTimer3);
    return;
  }
  inFadeStep_ = true;
  const FadeState next = MoveFade({FadeLevel, FadeDown}, b_.settings.FadeDepth);
  FadeLevel = next.level;
  FadeDown = next.down;
  if (UndoPending) {
    Effects->UndoLastDontDraw();
    for (auto& cover : covers_) cover->Undo();
  }
  const FadeOperation op = FadeOperationFor(FadeLevel);
  if (op.opcode != 0) {
    // The tick is held back while the step lets messages run: the step
    // would ignore it anyway, and each one wakes the program up for nothing.
    window_->StopTimer(kTimer3);
    if (!ApplyEverywhere(op.opcode, static_cast<int16_t>(op.amount))) return;
    RevealEverywhere();
    if (p_.windows.Ended()) return;
    UndoPending = true;
    if (layoutChanged_) {
      FollowMonitors();
      if (p_.windows.Ended()) return;
    }
    if (displayOn_) window_->StartTimer(kTimer3, kIntervals[kTimer3]);
  }
  inFadeStep_ = false;
}

void Tidelight_S::OnAppActivation(bool active) {
  // Before the load shows the window, activation may come and go with a
  // message of the engine; that ends nothing.
  if (!active && shown_) EndSaver();
}

void Tidelight_S::OnDisplayPower(bool on) {
  // The music is not touched; the fade resumes at the level where it waited.
  displayOn_ = on;
  if (!window_ || !timerOn_[kTimer3] || inFadeStep_) return;
  if (on)
    window_->StartTimer(kTimer3, kIntervals[kTimer3]);
  else
    window_->StopTimer(kTimer3);
}

void Tidelight_S::OnSessionNotice(SessionNotice notice) {
  switch (notice) {
    // The lock screen is what the user sees next: no music may play behind
    // it, and no snapshot of the desktop may wait for the unlock.
    case SessionNotice::Locked:
    // A log-off, a shutdown, an installer replacing the file: never held up.
    case SessionNotice::Ending: EndSaver(); break;
    // Nothing may sound when the machine wakes; input ends the saver then.
    case SessionNotice::Suspending: StopMusic(); break;
  }
}

void Tidelight_S::OpenCovers(const Rect& primary) {
  covers_.clear();
  monitors_ = p_.screen.Monitors();
  for (const Monitor& m : OtherMonitorsToCover(monitors_, primary)) {
    auto cover = std::make_unique<MonitorCover>(p_, random_, *this, m);
    if (cover->Open()) covers_.push_back(std::move(cover));
  }
}

bool Tidelight_S::ApplyEverywhere(int32_t opcode, int16_t amount) {
  // The engines draw and let messages run: input may end the program there.
  Effects->ASM_IncrementalPalEffects(opcode, amount);
  if (p_.windows.Ended()) return false;
  for (auto& cover : covers_) {
    cover->Apply(opcode, amount);
    if (p_.windows.Ended()) return false;
  }
  return true;
}

void Tidelight_S::RevealEverywhere() {
  std::vector<RevealLane> lanes{{Display, Master}};
  for (auto& cover : covers_) lanes.push_back({cover->Display, cover->Master});
  // A layout that changed meanwhile is shown whole at the new level.
  bool revealedWhole = false;
  if (!layoutChanged_) {
    for (const RevealLane& lane : lanes)
      lane.target.scaleMode = lane.source.scaleMode = ScaleMode::Twips;
    revealedWhole = RevealTransition(p_, b_, lanes, 2, b_.settings.FadeSpeed);
    if (p_.windows.Ended()) return;
  }
  // A reveal that copied every pixel leaves nothing to compare (8 MB a
  // monitor at full HD, every step).
  for (const RevealLane& lane : lanes) {
    lane.target.scaleMode = lane.source.scaleMode = ScaleMode::Pixels;
    if (revealedWhole)
      lane.target.TookImageOf(lane.source);
    else
      lane.target.SetPictureFromImage(lane.source);
  }
}

void Tidelight_S::StopMusic() {
  EnableTimer(kTimer2, false);
  EnableTimer(kTimer1, false);
  music_.Close();
}

void Tidelight_S::EndSaver() {
  if (p_.windows.Ended()) return;
  StopMusic();
  if (ModeLetter(CommandLineArguments(p_.windows)) == "S") b_.CursorCount = p_.windows.ShowCursor(true);
  Unload();
}

void Tidelight_S::Unload() {
  // The engines go; the windows stay until the saver itself goes, since this
  // may run inside one of their handlers.
  Effects.reset();
  for (auto& cover : covers_) cover->Effects.reset();
  p_.windows.EndProgram();
}

}  // namespace tl
