#pragma once
// Module-wide values of the background-music module, zero or empty at
// program start. The saver window owns one for the whole run.
#include <cstdint>
#include <string>

namespace tl {

// Sizes, in characters, of the buffers the devices answer into. The size
// handed to MCI is always the buffer's own.
inline constexpr uint32_t kMciReplySize = 512;      // general replies
inline constexpr uint32_t kMciErrorTextSize = 256;  // error texts
inline constexpr uint32_t kCdModeSize = 255;        // "status cdaudio mode"
inline constexpr uint32_t kMp3ModeSize = 30;        // "status MP3Play mode"

// 16-bit booleans as the rest of the program keeps them.
inline constexpr int16_t kTrue = -1;
inline constexpr int16_t kFalse = 0;

struct BgmModule {
  // Reply text (or error text) of the last MciQuery or MciPlay.
  std::string MciReply;
  // True while the CD device answers its status queries; the saver copies it
  // into Timer2's Enabled state after every supervision tick.
  int16_t CdAvailable = kFalse;
};

}  // namespace tl
