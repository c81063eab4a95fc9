// The music module against the real winmm: what happens without a CD drive
// and with files that cannot be played. Real playback is proven by
// scripts/music-wine-test.sh, which gives the process a sound sink.
#include <windows.h>

#include <gtest/gtest.h>

#include "music/bgm.h"
#include "shared/base_module.h"
#include "test_folder.h"
#include "backends/win32/win32_media.h"

namespace tl {

namespace {
// Passes every call to the real back end and keeps the command strings.
class RecordingMedia : public Win32Media {
 public:
  std::vector<std::string> commands;
  uint32_t SendMciCommand(std::string_view command, std::string& reply,
                          uint32_t capacity) override {
    commands.emplace_back(command);
    return Win32Media::SendMciCommand(command, reply, capacity);
  }
};
}  // namespace

TEST(Win32Music, WithoutACdDriveSupervisionEndsOnTheFirstTick) {
  RecordingMedia m;
  BaseModule b;
  BgmModule bgm;
  BGM_OpenCD(m, b.LastApiResult);
  EXPECT_NE(b.LastApiResult, 0);
  m.commands.clear();
  BGM_PollCD(m, b.settings.RepeatTrack, b.LastApiResult, bgm);
  EXPECT_EQ(bgm.CdAvailable, kFalse);
  EXPECT_EQ(m.commands, (std::vector<std::string>{"status cdaudio current track"}));
  // The reply holds the system's own text for the code.
  EXPECT_EQ(bgm.MciReply, m.MciErrorText(static_cast<uint32_t>(b.LastApiResult), 256));
  EXPECT_FALSE(bgm.MciReply.empty());
  BGM_CloseCD(m, b.LastApiResult);  // harmless on a device that never opened
}

TEST(Win32Music, QueriesOfAnUnknownDeviceAnswerTheCode) {
  Win32Media m;
  BaseModule b;
  BgmModule bgm;
  const std::string answer = MciQuery(m, b.LastApiResult, bgm, "status NoSuchAlias mode");
  ASSERT_NE(b.LastApiResult, 0);
  EXPECT_EQ(answer, "Error:" + std::to_string(b.LastApiResult));
  std::string out;
  EXPECT_EQ(MciCommand(m, b.LastApiResult, "", out), -1);
  EXPECT_EQ(out, kNoCommandText);
}

TEST(Win32Music, AMissingMp3OpensNothingAndPlaysNothing) {
  TestFolder dir;
  RecordingMedia m;
  BaseModule b;
  b.settings.MusicKind = 2;
  b.settings.MusicFile = dir.str() + "\\\xE6\xBD\xAE none.mp3";
  BGM_PlayMP3(m, b.settings.MusicFile);
  EXPECT_EQ(m.commands.size(), 1u);  // the open failed, so no play
  EXPECT_FALSE(BGM_IsMP3Playing(m));
  BGM_CloseMP3(m);  // harmless when MP3Play does not exist
  BGM_StopWave(m, b.LastApiResult);  // harmless with nothing playing
  EXPECT_NE(b.LastApiResult, 0);
}

}  // namespace tl
