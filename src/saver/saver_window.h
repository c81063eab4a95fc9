#pragma once
// The saver screen: the desktop snapshot covering the primary screen, faded
// step by step through the picture engine and revealed by a growing circle,
// with the background music kept going by two timers. Every other monitor
// is covered by a window of its own that fades in step (MonitorCover).
#include <cstdint>
#include <memory>
#include <vector>

#include "music/music_session.h"
#include "picfx/tidelight_c.h"
#include "saver/fade_cycle.h"
#include "saver/monitor_cover.h"
#include "shared/base_module.h"
#include "toolkit/picture_box.h"
#include "toolkit/platform.h"
#include "base/random.h"

namespace tl {

class Tidelight_S : public WindowEvents {
 public:
  static constexpr int32_t kTimer1 = 1;  // music-file upkeep, 1000 ms
  static constexpr int32_t kTimer2 = 2;  // audio-CD upkeep, 200 ms
  static constexpr int32_t kTimer3 = 3;  // one fade step per tick, 1 ms

  Tidelight_S(Platform& p, BaseModule& b);
  ~Tidelight_S() override;

  // Covers the screen with the snapshot, starts the music and the fade.
  void Load();
  // Music off, cursor back, engine released, program ended.
  void EndSaver();

  void OnTimer(int32_t timerId) override;
  void OnKeyDown(int32_t) override { EndSaver(); }
  void OnMouseDown(int32_t, int32_t) override { EndSaver(); }
  // Moving the mouse never ends the saver.
  void OnMouseMove(int32_t, int32_t) override {}
  void OnDestroyed() override { Unload(); }
  // Another program taking the foreground ends the saver, as the screen
  // saver convention has it.
  void OnAppActivation(bool active) override;
  // No second saver over this one.
  bool OnScreenSaverRequest() override { return false; }
  // While the display is off, no fade step runs; the level waits.
  void OnDisplayPower(bool on) override;
  // Every monitor of the new layout is covered at once, at the fade's level.
  void OnMonitorsChanged() override;
  // A locked or ending session ends the saver at once; the machine going to
  // sleep stops the music.
  void OnSessionNotice(SessionNotice notice) override;

  // One tick of each timer.
  void FadeStep();
  void MusicFileTick();
  void CdTick();

  bool TimerEnabled(int32_t id) const;
  Window* window() const { return window_.get(); }
  // The covers of the other monitors, in the order the platform gave them.
  const std::vector<std::unique_ptr<MonitorCover>>& Covers() const { return covers_; }

  PictureBox Display;
  PictureBox Master;
  std::unique_ptr<Tidelight_C> Effects;
  int16_t FadeLevel = kFadeUntouched;
  bool FadeDown = true;
  bool UndoPending = false;

 private:
  void EnableTimer(int32_t id, bool on);
  void StopMusic();
  void Unload();
  void OpenCovers(const Rect& primary);
  // The fade's operation on every monitor; false when the program ended
  // while the engines let messages run.
  bool ApplyEverywhere(int32_t opcode, int16_t amount);
  void RevealEverywhere();
  // The covers made to fit the monitors as they are now (FollowLayout), until
  // no change is left.
  void FollowMonitors();
  void FollowLayout();
  // A newly bound engine's picture brought to the fade's level and shown.
  void ShowAtLevel(Tidelight_C& engine, PictureBox& display, PictureBox& master);

  Platform& p_;
  BaseModule& b_;
  MusicSession music_;
  RandomGenerator random_;  // the program's general generator
  std::unique_ptr<Window> window_;
  std::vector<std::unique_ptr<MonitorCover>> covers_;
  std::vector<Monitor> monitors_;  // the layout last covered
  bool timerOn_[4] = {};
  bool inFadeStep_ = false;
  bool shown_ = false;      // the load has shown the window
  bool displayOn_ = true;
  bool layoutChanged_ = false;  // the monitors changed; not yet followed
};

}  // namespace tl
