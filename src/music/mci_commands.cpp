#include "music/mci_commands.h"

namespace tl {

int32_t MciCommand(Media& m, int32_t& lastApiResult, std::string_view command, std::string& out) {
  if (command.empty()) {
    out = kNoCommandText;
    return -1;
  }
  std::string reply;
  const int32_t code = static_cast<int32_t>(m.SendMciCommand(command, reply, kMciReplySize));
  lastApiResult = code;
  if (code == 0) {
    out = std::move(reply);
    return 0;
  }
  const auto text = m.MciErrorText(static_cast<uint32_t>(code), kMciErrorTextSize);
  out = text ? *text : kNoErrorText;
  return code;
}

std::string MciQuery(Media& m, int32_t& lastApiResult, BgmModule& bgm, std::string_view command) {
  const int32_t code = MciCommand(m, lastApiResult, command, bgm.MciReply);
  lastApiResult = code;
  if (code == 0) return bgm.MciReply;
  return kQueryErrorPrefix + std::to_string(code);
}

int32_t MciPlay(Media& m, int32_t& lastApiResult, BgmModule& bgm, std::string_view device,
                std::string_view from, std::string_view to) {
  std::string command = "play ";
  command += device;
  if (!from.empty()) (command += " from ") += from;
  if (!to.empty()) (command += " to ") += to;
  return MciCommand(m, lastApiResult, command, bgm.MciReply);
}

}  // namespace tl
