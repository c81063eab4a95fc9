#include "saver/saver_window.h"

#include "music/cd_player.h"
#include "music/music_file.h"
#include "saver/reveal_transition.h"
#include "startup/main_dispatch.h"

namespace tl {

namespace {
constexpr uint32_t kIntervals[4] = {0, 1000, 200, 1};
}  // namespace

Tidelight_S::Tidelight_S(Platform& p, BaseModule& b, Media& m)
    : Display(p, false), Master(p, true), p_(p), b_(b), media_(m) {
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
  const int32_t w = p_.ScreenWidth(), h = p_.ScreenHeight();
  window_ = p_.OpenWindow({"Tidelight_Main", WindowKind::Popup, {0, 0, w, h}}, *this);
  if (!window_) return;
  Master.Resize(w, h);
  Display.Resize(w, h);
  Display.SetHost(window_.get());
  p_.SnapshotDesktop(Master.Pixels());
  Display.SetPictureFromImage(Master);
  if (!Effects) Effects = std::make_unique<Tidelight_C>(p_, random_);
  Effects->PictureBox(Master);
  FadeLevel = kFadeUntouched;
  FadeDown = true;
  StartMusic();
  window_->Show();
  Display.Refresh();
  window_->SetTopmost();
  EnableTimer(kTimer3, true);
}

void Tidelight_S::StartMusic() {
  const auto& s = b_.settings;
  if (s.MusicKind == 1) {
    BGM_OpenCD(media_, b_, bgm_);
    EnableTimer(kTimer2, true);
  } else if (s.MusicKind == 2) {
    if (FileEndingIs(s.MusicFile, "WAV")) BGM_PlayWave(media_, b_);
    if (FileEndingIs(s.MusicFile, "MP3")) {
      BGM_PlayMP3(media_, b_);
      EnableTimer(kTimer1, true);
    }
  }
}

void Tidelight_S::OnTimer(int32_t timerId) {
  switch (timerId) {
    case kTimer1: MusicFileTick(); break;
    case kTimer2: CdTick(); break;
    case kTimer3: FadeStep(); break;
  }
}

void Tidelight_S::MusicFileTick() { BGM_RepeatMP3(media_, b_); }

void Tidelight_S::CdTick() {
  BGM_PollCD(media_, b_, bgm_);
  EnableTimer(kTimer2, bgm_.CdAvailable != 0);
}

void Tidelight_S::FadeStep() {
  // Ticks keep coming while a step's reveal pumps messages; a step never
  // starts inside another.
  if (inFadeStep_ || b_.TransitionRunning || !Effects) return;
  inFadeStep_ = true;
  const FadeState next = MoveFade({FadeLevel, FadeDown}, b_.settings.FadeDepth);
  FadeLevel = next.level;
  FadeDown = next.down;
  if (UndoPending) Effects->UndoLastDontDraw();
  const FadeOperation op = FadeOperationFor(FadeLevel);
  if (op.opcode != 0) {
    Effects->ASM_IncrementalPalEffects(op.opcode, static_cast<int16_t>(op.amount));
    Display.scaleMode = Master.scaleMode = ScaleMode::Twips;
    RevealTransition(p_, b_, Display, Master, 2, b_.settings.FadeSpeed);
    if (p_.Ended()) return;
    Display.scaleMode = Master.scaleMode = ScaleMode::Pixels;
    Display.SetPictureFromImage(Master);
    UndoPending = true;
  }
  inFadeStep_ = false;
}

void Tidelight_S::EndSaver() {
  if (p_.Ended()) return;
  if (TimerEnabled(kTimer2)) {
    EnableTimer(kTimer2, false);
    BGM_CloseCD(media_, b_, bgm_);
  }
  const auto& s = b_.settings;
  if (s.MusicKind == 2) {
    if (FileEndingIs(s.MusicFile, "WAV")) BGM_StopWave(media_, b_);
    if (FileEndingIs(s.MusicFile, "MP3")) {
      BGM_CloseMP3(media_, b_);
      EnableTimer(kTimer1, false);
    }
  }
  if (ModeLetter(p_.CommandLineArgs()) == "S") b_.CursorCount = p_.ShowCursor(true);
  Unload();
}

void Tidelight_S::Unload() {
  Effects.reset();
  p_.EndProgram();
}

}  // namespace tl
