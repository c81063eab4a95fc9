#pragma once
// General MCI command functions: they send a command string and turn the
// device's return code into text.
#include <cstdint>
#include <string>
#include <string_view>

#include "music/bgm_module.h"
#include "toolkit/media.h"

namespace tl {

// Out-text of MciCommand for an empty command.
inline constexpr char kNoCommandText[] =
    "\xE3\x82\xB3\xE3\x83\x9E\xE3\x83\xB3\xE3\x83\x89\xE6\x96\x87\xE5\xAD\x97\xE5\x88\x97"
    "\xE3\x81\x8C\xE6\x8C\x87\xE5\xAE\x9A\xE3\x81\x95\xE3\x82\x8C\xE3\x81\xA6\xE3\x81\x84"
    "\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93";  // コマンド文字列が指定されていません
// Out-text when the system has no text for an error code.
inline constexpr char kNoErrorText[] =
    "Error (\xE6\x96\x87\xE5\xAD\x97\xE5\x88\x97\xE3\x81\x8C\xE5\x8F\x96\xE3\x82\x8C"
    "\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93)";  // Error (文字列が取れません)
// Prefix of MciQuery's answer for a failed command, followed by the code.
inline constexpr char kQueryErrorPrefix[] = "Error:";

// Sends command with the general reply buffer; the code goes to
// LastApiResult. out receives the reply, or the error's text for a failure.
// An empty command sends nothing and returns -1.
int32_t MciCommand(Media& m, int32_t& lastApiResult, std::string_view command, std::string& out);

// The reply of command, or "Error:" and the decimal code when it fails. The
// text also lands in MciReply.
std::string MciQuery(Media& m, int32_t& lastApiResult, BgmModule& bgm, std::string_view command);

// "play <device>[ from <from>][ to <to>]"; empty positions are left out.
int32_t MciPlay(Media& m, int32_t& lastApiResult, BgmModule& bgm, std::string_view device,
                std::string_view from, std::string_view to);

}  // namespace tl
