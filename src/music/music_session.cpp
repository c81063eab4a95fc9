#include "music/music_session.h"

#include "music/cd_player.h"
#include "music/music_file.h"

namespace tl {

void MusicSession::Start(const SettingsRecord& s) {
  if (s.MusicKind == 1) {
    repeatTrack_ = s.RepeatTrack;
    BGM_OpenCD(media_, last_);
    cdSupervised_ = true;
  } else if (s.MusicKind == 2) {
    // The ending alone decides; a file that is neither plays nothing.
    if (FileEndingIs(s.MusicFile, "WAV")) {
      wave_ = true;
      BGM_PlayWave(media_, s.MusicFile, last_);
    }
    if (FileEndingIs(s.MusicFile, "MP3")) {
      mp3_ = mp3Upkeep_ = true;
      BGM_PlayMP3(media_, s.MusicFile);
    }
  }
}

void MusicSession::Mp3Tick() {
  if (mp3Upkeep_ && BGM_RepeatMP3(media_) != 0 && !retryFailures_) mp3Upkeep_ = false;
}

void MusicSession::CdTick() {
  if (!cdSupervised_) return;
  BGM_PollCD(media_, repeatTrack_, last_, bgm_);
  // A device that stopped answering is left alone from now on, closing included.
  cdSupervised_ = bgm_.CdAvailable != 0;
}

void MusicSession::Close() {
  if (cdSupervised_) {
    cdSupervised_ = false;
    BGM_CloseCD(media_, last_);
  }
  if (wave_) {
    wave_ = false;
    BGM_StopWave(media_, last_);
  }
  if (mp3_) {
    mp3_ = mp3Upkeep_ = false;
    BGM_CloseMP3(media_);
  }
}

}  // namespace tl
