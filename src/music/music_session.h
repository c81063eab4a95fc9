#pragma once
// What the saver opens for its background music, owned in one place: the
// MCI alias of an MP3, the looping sound of a WAV, the supervised audio CD.
// Close (or the destructor) shuts them in the program's shutdown order: the
// CD first, then the sound, then the MP3.
#include <cstdint>

#include "music/bgm_module.h"
#include "shared/base_module.h"
#include "toolkit/media.h"

namespace tl {

class MusicSession {
 public:
  // `lastApiResult` receives the result of the calls that report one.
  MusicSession(Media& media, int32_t& lastApiResult) : media_(media), last_(lastApiResult) {}
  ~MusicSession() { Close(); }
  MusicSession(const MusicSession&) = delete;
  MusicSession& operator=(const MusicSession&) = delete;

  // Starts the music the settings choose; nothing for none.
  void Start(const SettingsRecord& settings);
  // Whether an MP3 whose restart failed is tried again on every tick (the
  // default) or left alone from then on.
  void RetryFailures(bool retry) { retryFailures_ = retry; }

  // The MP3 wants restarting when it stops (the saver's 1000 ms timer).
  bool WantsMp3Upkeep() const { return mp3_; }
  void Mp3Tick();
  // The CD is supervised (the saver's 200 ms timer) until a tick finds the
  // device no longer answering.
  bool CdSupervised() const { return cdSupervised_; }
  void CdTick();

  // Stops and closes whatever is open; harmless when nothing is.
  void Close();

  const BgmModule& bgm() const { return bgm_; }

 private:
  Media& media_;
  int32_t& last_;
  BgmModule bgm_;
  int16_t repeatTrack_ = 0;
  bool cdSupervised_ = false;
  bool wave_ = false;
  bool mp3_ = false;
  bool mp3Upkeep_ = false;
  bool retryFailures_ = true;
};

}  // namespace tl
