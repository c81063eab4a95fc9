#include "backends/headless/headless_media.h"

#include "toolkit/mci_words.h"

#include <algorithm>
#include <cctype>

namespace tl {

namespace {

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
  errorTexts = MciErrorTexts();
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
  return MciReply(code, answer, capacity, reply);
}

uint32_t HeadlessMedia::Execute(const std::string& command, std::string& answer) {
  const std::vector<std::string> w = MciWords(command);
  if (w.size() < 2) return mci_error::kUnrecognizedCommand;
  const std::string verb = MciLower(w[0]);

  if (verb == "open") {
    const auto [type, alias, file] = MciOpenOf(w);
    Device& d = devices[type];
    if (!d.present) return mci_error::kCannotLoadDriver;
    if (aliases.contains(alias)) return mci_error::kDuplicateAlias;
    aliases[alias] = type;
    d.openedFile = file;
    d.mode = "stopped";
    return 0;
  }

  const std::string alias = MciLower(w[1]);
  const auto a = aliases.find(alias);
  if (a == aliases.end()) {
    // Asking a device type that has no hardware fails as its driver would.
    const auto d = devices.find(alias);
    return d != devices.end() && !d->second.present ? mci_error::kCannotLoadDriver
                                                    : mci_error::kInvalidDeviceName;
  }
  Device& d = devices[a->second];
  const std::string rest = MciLower(Join(w, 2));

  if (verb == "play") {
    for (size_t i = 2; i + 1 < w.size(); ++i) {
      const std::string k = MciLower(w[i]);
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
  return MciTextInBuffer(t->second, capacity);
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
