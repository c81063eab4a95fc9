#pragma once
// The music-file player: an MP3 through MCI under the alias MP3Play,
// restarted by the saver's Timer1 whenever it is found not playing; a WAV
// through the system sound player, which loops it by itself.
#include <string_view>

#include "startup/settings.h"
#include "toolkit/media.h"

// Every operation takes the same two arguments so the saver can call them
// alike; only the sound-player calls store into LastApiResult.

namespace tl {

// The file type is decided by the last three characters of the path alone,
// upper-cased: FileEndingIs(path, "MP3").
bool FileEndingIs(std::string_view path, std::string_view upperEnding);

// Opens MusicFile as MP3Play and, when the open succeeded, plays it.
void BGM_PlayMP3(Media& m, BaseModule& b);
// True when the device's mode reply begins with "playing".
bool BGM_IsMP3Playing(Media& m, BaseModule& b);
// One Timer1 tick: restarts the file from its beginning unless it plays.
void BGM_RepeatMP3(Media& m, BaseModule& b);
// Stops and closes MP3Play; harmless when it was never opened.
void BGM_CloseMP3(Media& m, BaseModule& b);

// Loops MusicFile through the sound player when a wave device exists.
void BGM_PlayWave(Media& m, BaseModule& b);
// Stops any sound this process plays.
void BGM_StopWave(Media& m, BaseModule& b);

}  // namespace tl
