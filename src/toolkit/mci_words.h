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
// A text as a buffer of `capacity` UTF-16 units holds it with its NUL: cut
// to fit, never inside a character.
std::string MciTextInBuffer(std::string_view text, uint32_t capacity);
// The texts Windows gives for the codes of mci_error (English).
std::map<uint32_t, std::string> MciErrorTexts();

}  // namespace tl
