#include "music/cd_player.h"

#include <string>

#include "music/mci_commands.h"
#include "toolkit/numeric.h"

namespace tl {

namespace {

// CD commands without a reply buffer; the code goes to LastApiResult.
void Send(Media& m, BaseModule& b, std::string_view command) {
  std::string unused;
  b.LastApiResult = static_cast<int32_t>(m.SendMciCommand(command, unused, 0));
}

bool AnswersError(const std::string& reply) {
  return UpperAscii(reply).find("ERR") != std::string::npos;
}

}  // namespace

void BGM_OpenCD(Media& m, BaseModule& b, BgmModule&) {
  Send(m, b, "open cdaudio");
  Send(m, b, "set cdaudio time format tmsf");
}

void BGM_PollCD(Media& m, BaseModule& b, BgmModule& bgm) {
  bgm.CdAvailable = kTrue;

  const std::string track = MciQuery(m, b, bgm, "status cdaudio current track");
  if (AnswersError(track)) { bgm.CdAvailable = kFalse; return; }
  if (AnswersError(MciQuery(m, b, bgm, "status cdaudio number of tracks"))) {
    bgm.CdAvailable = kFalse;
    return;
  }

  std::string mode;
  b.LastApiResult = static_cast<int32_t>(m.SendMciCommand("status cdaudio mode", mode, kCdModeSize));
  const bool stopped = mode.starts_with("stopped");

  const int16_t repeat = b.settings.RepeatTrack;
  if (repeat == 0) {
    if (stopped) MciPlay(m, b, bgm, "cdaudio", "", "");
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
        MciQuery(m, b, bgm, "status cdaudio position track " + std::to_string(repeat));
    MciPlay(m, b, bgm, "cdaudio", start, "");
  }
}

void BGM_CloseCD(Media& m, BaseModule& b, BgmModule&) {
  Send(m, b, "stop cdaudio");
  Send(m, b, "close cdaudio");
}

}  // namespace tl
