#pragma once
// X11 back end of the multimedia seam: GStreamer's playbin, one per file.
//
// The seam speaks MCI. The few commands the music sends are translated
// here, word for word, for the device type MPEGVideo:
//   open "<file>" type mpegvideo alias <a>   a player for the file (not yet playing)
//   play <a> [from 0]                        plays; from 0: from the beginning
//   stop <a>                                 pauses where it is
//   status <a> mode                          "playing", or "stopped" once it
//                                            ended, failed or was stopped
//   close <a>                                the player goes
// Any other device (the audio CD: there is no drive support on Linux)
// answers as a missing driver does; other commands are not recognised.
// The sound player loops its file by handing the same file to playbin as
// each run is about to finish. GStreamer is started on first use, so a
// program without music never loads it.
#include <map>
#include <memory>
#include <string>

#include "toolkit/media.h"

namespace tl {

class X11Media : public Media {
 public:
  // `audioSink`: a GStreamer pipeline description the sound goes into;
  // empty: the system's default output.
  explicit X11Media(std::string audioSink = {});
  ~X11Media() override;
  X11Media(const X11Media&) = delete;
  X11Media& operator=(const X11Media&) = delete;

  uint32_t SendMciCommand(std::string_view command, std::string& reply,
                          uint32_t capacity) override;
  std::optional<std::string> MciErrorText(uint32_t code, uint32_t capacity) override;
  int32_t PlaySoundFile(std::string_view path, uint32_t flags) override;
  int32_t StopSound() override;
  uint32_t WaveOutDeviceCount() override;

  // Every player stopped and let go, for a program that must end at once.
  void StopAll();

  class Player;

 private:
  bool Started();
  uint32_t Execute(const std::string& command, std::string& answer);

  std::string audioSink_;
  int started_ = 0;  // 0 not tried, 1 running, -1 failed
  std::map<std::string, std::unique_ptr<Player>> aliases_;  // by lower-case alias
  std::unique_ptr<Player> sound_;
};

}  // namespace tl
