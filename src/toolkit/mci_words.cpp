#include "toolkit/mci_words.h"

#include <algorithm>
#include <cctype>

#include "base/utf8_chars.h"
#include "toolkit/media.h"

namespace tl {

std::vector<std::string> MciWords(std::string_view s) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == ' ') { ++i; continue; }
    if (s[i] == '"') {
      const size_t end = s.find('"', i + 1);
      const size_t stop = end == std::string_view::npos ? s.size() : end;
      words.emplace_back(s.substr(i + 1, stop - i - 1));
      i = stop + 1;
      continue;
    }
    const size_t end = std::min(s.find(' ', i), s.size());
    words.emplace_back(s.substr(i, end - i));
    i = end;
  }
  return words;
}

std::string MciLower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

MciOpen MciOpenOf(const std::vector<std::string>& w) {
  MciOpen o;
  if (w.size() < 2) return o;
  o.type = o.alias = MciLower(w[1]);
  for (size_t i = 2; i + 1 < w.size(); ++i) {
    if (MciLower(w[i]) == "type") o.type = MciLower(w[i + 1]), o.file = w[1];
    if (MciLower(w[i]) == "alias") o.alias = MciLower(w[i + 1]);
  }
  return o;
}

uint32_t MciReply(uint32_t code, const std::string& answer, uint32_t capacity, std::string& reply) {
  reply.clear();
  if (code != 0 || capacity == 0) return code;
  // Buffers count UTF-16 units, as the system's do.
  if (Utf16Length(answer) + 1 > capacity) return mci_error::kParamOverflow;
  reply = answer;
  return 0;
}

std::string MciTextInBuffer(std::string_view text, uint32_t capacity) {
  size_t at = 0, units = 0;
  while (capacity > 0 && at < text.size()) {
    const size_t size = Utf8CharSize(text, at);
    const size_t need = Utf8CharValue(text, at) > 0xFFFF ? 2 : 1;
    if (units + need > capacity - 1) break;
    units += need;
    at += size;
  }
  return std::string(text.substr(0, at));
}

std::map<uint32_t, std::string> MciErrorTexts() {
  return {
      {mci_error::kUnrecognizedCommand, "The driver cannot recognize the specified command."},
      {mci_error::kInvalidDeviceName, "The specified device is not open or is not recognized by MCI."},
      {mci_error::kCannotLoadDriver, "The specified device driver cannot be loaded."},
      {mci_error::kParamOverflow, "The output string was too long to fit in the buffer."},
      {mci_error::kOutOfRange, "The specified parameter is out of range."},
      {mci_error::kDuplicateAlias, "The specified alias is already used in this application."},
  };
}

}  // namespace tl
