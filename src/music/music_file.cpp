#include "music/music_file.h"

#include <string>

#include "music/bgm_module.h"
#include "base/numeric.h"

namespace tl {

namespace {
// The MP3 commands send no reply buffer and store no code anywhere.
uint32_t Send(Media& m, std::string_view command) {
  std::string unused;
  return m.SendMciCommand(command, unused, 0);
}
}  // namespace

bool FileEndingIs(std::string_view path, std::string_view upperEnding) {
  // UTF-8 continuation bytes are never ASCII, so the last three bytes equal an
  // ASCII ending exactly when the last three characters do.
  if (path.size() < upperEnding.size()) return false;
  return UpperAscii(path.substr(path.size() - upperEnding.size())) == upperEnding;
}

void BGM_PlayMP3(Media& m, std::string_view path) {
  // Quoted so that a path with blanks opens; the device type is named so the
  // extension plays no part in choosing the driver.
  const std::string open =
      "open \"" + std::string(path) + "\" type MPEGVideo Alias MP3Play";
  if (Send(m, open) == 0) Send(m, "play MP3Play");
}

bool BGM_IsMP3Playing(Media& m) {
  // The return code is not looked at: a failed query leaves the reply empty.
  std::string mode;
  m.SendMciCommand("status MP3Play mode", mode, kMp3ModeSize);
  return mode.starts_with("playing");
}

uint32_t BGM_RepeatMP3(Media& m) {
  if (BGM_IsMP3Playing(m)) return 0;
  Send(m, "stop MP3Play");
  return Send(m, "play MP3Play from 0");
}

void BGM_CloseMP3(Media& m) {
  Send(m, "stop MP3Play");
  Send(m, "close MP3Play");
}

void BGM_PlayWave(Media& m, std::string_view path, int32_t& lastApiResult) {
  if (m.WaveOutDeviceCount() == 0) return;
  // Named as a file, never as a system sound alias, and with no default
  // sound: a file the player cannot read gives silence instead of the
  // system's default sound repeated without end.
  using namespace sound_flags;
  lastApiResult = m.PlaySoundFile(path, kAsync | kLoop | kNoDefault | kFilename);
}

void BGM_StopWave(Media& m, int32_t& lastApiResult) { lastApiResult = m.StopSound(); }

}  // namespace tl
