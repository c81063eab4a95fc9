#include "music/cd_player.h"

#include <string>

#include "music/mci_commands.h"
#include "base/numeric.h"

namespace tl {

namespace {

// CD commands without a reply buffer; the code goes to LastApiResult.
void Send(Media& m, int32_t& lastApiResult, std::string_view command) {
  std::string unused;
  lastApiResult = static_cast<int32_t>(m.SendMciCommand(command, unused, 0));
}

bool AnswersError(const std::string& reply) {
  return UpperAscii(reply).find("ERR") != std::string::npos;
}

}  // namespace

void BGM_OpenCD(Media& m, int32_t& lastApiResult) {
  Send(m, lastApiResult, "open cdaudio");
  Send(m, lastApiResult, "set cdaudio time format tmsf");
}

void BGM_PollCD(Media& m, int16_t repeat, int32_t& lastApiResult, BgmModule& bgm) {
  bgm.CdAvailable = kTrue;

  const std::string track = MciQuery(m, lastApiResult, bgm, "status cdaudio current track");
  if (AnswersError(track)) { bgm.CdAvailable = kFalse; return; }
  if (AnswersError(MciQuery(m, lastApiResult, bgm, "status cdaudio number of tracks"))) {
    bgm.CdAvailable = kFalse;
    return;
  }

  std::string mode;
  lastApiResult =
      static_cast<int32_t>(m.SendMciCommand("status cdaudio mode", mode, kCdModeSize));
  const bool stopped = mode.starts_with("stopped");

  if (repeat == 0) {
    if (stopped) MciPlay(m, lastApiResult, bgm, "cdaudio", "", "");
    return;
  }
  // The current track is compared as a number; a reply that is none means
  // the device answers nonsense, and the supervision ends like for an error.
  const auto current = ParseNumberText(track);
  if (!current) { bgm.CdAvailable = kFalse; return; }
  if (stopped || *current != repeat) {
    // The position is handed back to the device as it came, in its own time
    // format; the program never reads it.
    const std::string start =
        MciQuery(m, lastApiResult, bgm, "status cdaudio position track " + std::to_string(repeat));
    MciPlay(m, lastApiResult, bgm, "cdaudio", start, "");
  }
}

void BGM_CloseCD(Media& m, int32_t& lastApiResult) {
  Send(m, lastApiResult, "stop cdaudio");
  Send(m, lastApiResult, "close cdaudio");
}

}  // namespace tl
