#pragma once
// The audio-CD player: the device "cdaudio" is opened once; the saver's
// Timer2 then runs one supervision tick five times a second, which starts the
// disc when it has stopped or brings it back to the repeat track (0: none).
// Each operation's MCI result lands in lastApiResult. The first
// status query that fails ends the supervision for the rest of the run.
#include "music/bgm_module.h"
#include "toolkit/media.h"

namespace tl {

// Opens the device and sets its time format to tracks, minutes, seconds and
// frames. Nothing plays yet: the first tick starts the disc.
void BGM_OpenCD(Media& m, int32_t& lastApiResult);
// One supervision tick; leaves CdAvailable false when the device stopped
// answering, and the saver then disables Timer2.
void BGM_PollCD(Media& m, int16_t repeatTrack, int32_t& lastApiResult, BgmModule& bgm);
// Stops and closes the device.
void BGM_CloseCD(Media& m, int32_t& lastApiResult);

}  // namespace tl
