#include "backends/headless/headless_media.h"

#include "base/utf8_chars.h"

#include <algorithm>
#include <cctype>

namespace tl {

namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Words separated by blanks; a double-quoted part is one word without quotes.
std::vector<std::string> Words(std::string_view s) {
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

std::string Join(const std::vector<std::string>& w, size_t from) {
  std::string out;
  for (size_t i = from; i < w.size(); ++i) out += (out.empty() ? "" : " ") + w[i];
  return out;
}

// A position the simulated devices accept: digits and colons only.
bool IsPosition(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= '0' && c <= '9') || c == ':';
  });
}

}  // namespace

HeadlessMedia::HeadlessMedia() {
  devices["cdaudio"];
  devices["mpegvideo"];
  errorTexts = {
      {mci_error::kUnrecognizedCommand, "The driver cannot recognize the specified command."},
      {mci_error::kInvalidDeviceName, "The specified device is not open or is not recognized by MCI."},
      {mci_error::kCannotLoadDriver, "The specified device driver cannot be loaded."},
      {mci_error::kParamOverflow, "The output string was too long to fit in the buffer."},
      {mci_error::kOutOfRange, "The specified parameter is out of range."},
      {mci_error::kDuplicateAlias, "The specified alias is already used in this application."},
  };
}

std::vector<std::string> HeadlessMedia::Commands() const {
  std::vector<std::string> out;
  for (const Sent& s : sent) out.push_back(s.command);
  return out;
}

uint32_t HeadlessMedia::WaveOutDeviceCount() {
  if (onCall) onCall("WaveOutDeviceCount");
  return waveDevices;
}

uint32_t HeadlessMedia::SendMciCommand(std::string_view command, std::string& reply,
                                       uint32_t capacity) {
  if (onCall) onCall("SendMciCommand");
  reply.clear();
  sent.push_back({std::string(command), capacity});
  if (auto f = failures.find(std::string(command)); f != failures.end()) return f->second;
  std::string answer;
  const uint32_t code = Execute(std::string(command), answer);
  if (code != 0 || capacity == 0) return code;
  // Buffers count UTF-16 units, as the system's do.
  if (Utf16Length(answer) + 1 > capacity) return mci_error::kParamOverflow;
  reply = answer;
  return 0;
}

uint32_t HeadlessMedia::Execute(const std::string& command, std::string& answer) {
  const std::vector<std::string> w = Words(command);
  if (w.size() < 2) return mci_error::kUnrecognizedCommand;
  const std::string verb = Lower(w[0]);

  if (verb == "open") {
    std::string type = Lower(w[1]), alias = type, file;
    for (size_t i = 2; i + 1 < w.size(); ++i) {
      if (Lower(w[i]) == "type") type = Lower(w[i + 1]), file = w[1];
      if (Lower(w[i]) == "alias") alias = Lower(w[i + 1]);
    }
    Device& d = devices[type];
    if (!d.present) return mci_error::kCannotLoadDriver;
    if (aliases.contains(alias)) return mci_error::kDuplicateAlias;
    aliases[alias] = type;
    d.openedFile = file;
    d.mode = "stopped";
    return 0;
  }

  const std::string alias = Lower(w[1]);
  const auto a = aliases.find(alias);
  if (a == aliases.end()) {
    // Asking a device type that has no hardware fails as its driver would.
    const auto d = devices.find(alias);
    return d != devices.end() && !d->second.present ? mci_error::kCannotLoadDriver
                                                    : mci_error::kInvalidDeviceName;
  }
  Device& d = devices[a->second];
  const std::string rest = Lower(Join(w, 2));

  if (verb == "play") {
    for (size_t i = 2; i + 1 < w.size(); ++i) {
      const std::string k = Lower(w[i]);
      if ((k == "from" || k == "to") && !IsPosition(w[i + 1])) return mci_error::kOutOfRange;
    }
    d.mode = "playing";
    d.lastPlay = Join(w, 2);
    return 0;
  }
  if (verb == "stop") { d.mode = "stopped"; return 0; }
  if (verb == "close") { aliases.erase(a); return 0; }
  if (verb == "set" && rest.starts_with("time format ") && w.size() == 5) {
    d.timeFormat = w[4];
    return 0;
  }
  if (verb == "status") {
    if (rest == "mode") { answer = d.mode; return 0; }
    if (rest == "current track") { answer = d.currentTrack; return 0; }
    if (rest == "number of tracks") { answer = d.numberOfTracks; return 0; }
    if (rest.starts_with("position track ") && w.size() == 5) {
      const std::string& n = w[4];
      const bool digits = !n.empty() && n.size() < 6 &&
                          std::all_of(n.begin(), n.end(), [](char c) { return c >= '0' && c <= '9'; });
      const auto p = digits ? d.trackPositions.find(std::stoi(n)) : d.trackPositions.end();
      if (p == d.trackPositions.end()) return mci_error::kOutOfRange;
      answer = p->second;
      return 0;
    }
  }
  return mci_error::kUnrecognizedCommand;
}

std::optional<std::string> HeadlessMedia::MciErrorText(uint32_t code, uint32_t capacity) {
  if (onCall) onCall("MciErrorText");
  const auto t = errorTexts.find(code);
  if (t == errorTexts.end() || capacity == 0) return std::nullopt;
  // Cut to the buffer in UTF-16 units, never inside a character.
  std::string_view text = t->second;
  size_t at = 0, units = 0;
  while (at < text.size()) {
    const size_t size = Utf8CharSize(text, at);
    const size_t need = Utf8CharValue(text, at) > 0xFFFF ? 2 : 1;
    if (units + need > capacity - 1) break;
    units += need;
    at += size;
  }
  return std::string(text.substr(0, at));
}

int32_t HeadlessMedia::PlaySoundFile(std::string_view path, uint32_t flags) {
  if (onCall) onCall("PlaySoundFile");
  sounds.push_back({std::string(path), flags, false});
  if (playSoundResult != 0) {
    // A new sound replaces the one playing; only a looping one lasts.
    soundPlaying.reset();
    if (flags & sound_flags::kLoop) soundPlaying = std::string(path);
  }
  return playSoundResult;
}

int32_t HeadlessMedia::StopSound() {
  if (onCall) onCall("StopSound");
  sounds.push_back({"", 0, true});
  soundPlaying.reset();
  return 1;
}

}  // namespace tl
