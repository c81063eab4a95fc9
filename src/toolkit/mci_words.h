#pragma once
// MCI command strings as the back ends that answer them themselves read them
// (the headless simulation, GStreamer on x11): the words of a command, and
// the system's texts for the error codes the program names.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tl {

// Words separated by blanks; a double-quoted part is one word without its
// quotes.
std::vector<std::string> MciWords(std::string_view command);
// Keywords, device types and aliases are compared without regard to case.
std::string MciLower(std::string s);
// What an open names: its device type (lower case; the device itself when
// no type is given), its alias (lower case; the device's name when none),
// and the file, when a type is given.
struct MciOpen {
  std::string type, alias, file;
};
MciOpen MciOpenOf(const std::vector<std::string>& words);

// A command's answer as the caller's buffer of `capacity` UTF-16 units
// takes it: the answer with its NUL, or kParamOverflow when it does not
// fit; nothing after a failure or without a buffer. Returns the code.
uint32_t MciReply(uint32_t code, const std::string& answer, uint32_t capacity, std::string& reply);

// A text as a buffer of `capacity` UTF-16 units holds it with its NUL: cut
// to fit, never inside a character.
std::string MciTextInBuffer(std::string_view text, uint32_t capacity);
// The texts Windows gives for the codes of mci_error (English).
std::map<uint32_t, std::string> MciErrorTexts();

}  // namespace tl
