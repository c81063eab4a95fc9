#pragma once
// Headless back end of the multimedia seam: simulated MCI devices that the
// tests script (mode, tracks, positions, error codes and their texts), a
// recorded sound player and a chosen number of wave devices. Every call is
// recorded in order; nothing depends on a clock.
//
// The simulated MCI understands the commands the program sends:
//   open <device> | open "<file>" type <type> alias <alias>
//   play <alias> [from <p>] [to <p>]   stop <alias>   close <alias>
//   set <alias> time format <format>
//   status <alias> mode | current track | number of tracks | position track <n>
// Aliases, device types and keywords are matched without regard to case, as
// MCI does. An exact command listed in failures fails with its code first.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/media.h"

namespace tl {

class HeadlessMedia : public Media {
 public:
  // One device type ("cdaudio", "mpegvideo"), with the state it reports.
  struct Device {
    bool present = true;  // false: opening or asking it fails, as with no drive
    std::string mode = "stopped";  // play sets "playing", stop "stopped"
    std::string currentTrack = "1";
    std::string numberOfTracks = "1";
    std::map<int, std::string> trackPositions;  // track -> start position
    std::string timeFormat;  // the last "set ... time format"
    std::string openedFile;  // file of the last open of this type
    std::string lastPlay;    // arguments after the alias of the last play
  };
  struct Sent {
    std::string command;
    uint32_t capacity;
  };
  struct SoundCall {
    std::string path;  // empty for a stop
    uint32_t flags;
    bool stop;
  };

  // Scripted state.
  std::map<std::string, Device> devices;  // by lower-case type
  std::map<std::string, uint32_t> failures;  // exact command -> error code
  std::map<uint32_t, std::string> errorTexts;
  uint32_t waveDevices = 1;
  int32_t playSoundResult = 1;

  // Recorded calls and the resulting state.
  std::vector<Sent> sent;
  std::vector<SoundCall> sounds;
  std::map<std::string, std::string> aliases;  // lower-case alias -> type
  std::optional<std::string> soundPlaying;     // looping file, until a stop

  HeadlessMedia();

  // Told of every call, so the platform that owns this device can hold it
  // to the end-of-program contract.
  std::function<void(const char*)> onCall;

  // The command strings in the order they were sent.
  std::vector<std::string> Commands() const;
  Device& Cd() { return devices["cdaudio"]; }

  uint32_t SendMciCommand(std::string_view command, std::string& reply,
                          uint32_t capacity) override;
  std::optional<std::string> MciErrorText(uint32_t code, uint32_t capacity) override;
  int32_t PlaySoundFile(std::string_view path, uint32_t flags) override;
  int32_t StopSound() override;
  uint32_t WaveOutDeviceCount() override;

 private:
  uint32_t Execute(const std::string& command, std::string& answer);
};

}  // namespace tl
