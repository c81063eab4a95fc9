#pragma once
// The music-file player: an MP3 through MCI under the alias MP3Play,
// restarted by the saver's Timer1 whenever it is found not playing; a WAV
// through the system sound player, which loops it by itself.
#include <cstdint>
#include <string_view>

#include "toolkit/media.h"

// Each operation receives what it uses: the path, and where the sound-player
// calls store the system's result (the program's LastApiResult).

namespace tl {

// The file type is decided by the last three characters of the path alone,
// upper-cased: FileEndingIs(path, "MP3").
bool FileEndingIs(std::string_view path, std::string_view upperEnding);

// Opens MusicFile as MP3Play and, when the open succeeded, plays it.
void BGM_PlayMP3(Media& m, std::string_view path);
// True when the device's mode reply begins with "playing".
bool BGM_IsMP3Playing(Media& m);
// One Timer1 tick: restarts the file from its beginning unless it plays.
// Returns the restart's play code (0 also when nothing was sent).
uint32_t BGM_RepeatMP3(Media& m);
// Stops and closes MP3Play; harmless when it was never opened.
void BGM_CloseMP3(Media& m);

// Loops MusicFile through the sound player when a wave device exists.
void BGM_PlayWave(Media& m, std::string_view path, int32_t& lastApiResult);
// Stops any sound this process plays.
void BGM_StopWave(Media& m, int32_t& lastApiResult);

}  // namespace tl
