// The music-file player: exact command sequences against the simulated MCI
// device and the recorded sound player.
#include <gtest/gtest.h>

#include "music/bgm.h"
#include "shared/base_module.h"
#include "backends/headless/headless_media.h"

namespace tl {

namespace {
using Strings = std::vector<std::string>;

struct MusicFile : ::testing::Test {
  HeadlessMedia m;
  BaseModule b;
  void SetUp() override {
    b.settings.MusicKind = 2;
    b.settings.MusicFile = "C:\\My Music\\\xE6\xB3\xA2 tide.mp3";  // blanks and a Japanese name
  }
  const HeadlessMedia::Device& Mp3() { return m.devices["mpegvideo"]; }
};
}  // namespace

TEST(MusicFileEnding, UpperCasesTheLastThreeCharacters) {
  EXPECT_TRUE(FileEndingIs("C:\\a.mp3", "MP3"));
  EXPECT_TRUE(FileEndingIs("C:\\a.Wav", "WAV"));
  EXPECT_FALSE(FileEndingIs("C:\\a.mp3", "WAV"));
  EXPECT_FALSE(FileEndingIs("C:\\a.mpeg", "MP3"));
  EXPECT_FALSE(FileEndingIs("C:\\a.mp3 ", "MP3"));  // a trailing blank plays nothing
  EXPECT_FALSE(FileEndingIs("p3", "MP3"));
}

TEST_F(MusicFile, PlayOpensTheQuotedPathThenPlays) {
  b.LastApiResult = 5;
  BGM_PlayMP3(m, b.settings.MusicFile);
  EXPECT_EQ(m.Commands(),
            (Strings{"open \"" + b.settings.MusicFile + "\" type MPEGVideo Alias MP3Play",
                     "play MP3Play"}));
  EXPECT_EQ(Mp3().openedFile, b.settings.MusicFile);  // the blanks did not split it
  EXPECT_EQ(m.sent[0].capacity, 0u);
  EXPECT_EQ(m.sent[1].capacity, 0u);
  EXPECT_TRUE(BGM_IsMP3Playing(m));
  EXPECT_EQ(m.sent.back().capacity, kMp3ModeSize);
  EXPECT_EQ(b.LastApiResult, 5);  // the MP3 commands store no code
}

TEST_F(MusicFile, FailedOpenSendsNoPlay) {
  m.devices["mpegvideo"].present = false;  // no MPEGVideo driver
  BGM_PlayMP3(m, b.settings.MusicFile);
  EXPECT_EQ(m.Commands().size(), 1u);
  // Every tick then tries the restart, which fails without effect.
  BGM_RepeatMP3(m);
  EXPECT_EQ(m.Commands(), (Strings{m.Commands()[0], "status MP3Play mode", "stop MP3Play",
                                   "play MP3Play from 0"}));
}

TEST_F(MusicFile, SecondPlayWithoutCloseLeavesTheFirstPlaying) {
  BGM_PlayMP3(m, b.settings.MusicFile);
  const std::string firstFile = Mp3().openedFile;
  b.settings.MusicFile = "D:\\other.mp3";
  BGM_PlayMP3(m, b.settings.MusicFile);
  const Strings c = m.Commands();
  ASSERT_EQ(c.size(), 3u);
  EXPECT_EQ(c[2], "open \"D:\\other.mp3\" type MPEGVideo Alias MP3Play");
  EXPECT_EQ(Mp3().openedFile, firstFile);
  EXPECT_TRUE(BGM_IsMP3Playing(m));
}

TEST_F(MusicFile, RepeatRestartsOnlyWhenNotPlaying) {
  BGM_PlayMP3(m, b.settings.MusicFile);
  m.sent.clear();
  BGM_RepeatMP3(m);
  EXPECT_EQ(m.Commands(), (Strings{"status MP3Play mode"}));

  for (const char* mode : {"stopped", "paused", "Playing", "playin"}) {
    m.devices["mpegvideo"].mode = mode;  // the end of the file, a pause, other spellings
    m.sent.clear();
    BGM_RepeatMP3(m);
    EXPECT_EQ(m.Commands(), (Strings{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}))
        << mode;
    EXPECT_EQ(Mp3().lastPlay, "from 0");
    EXPECT_EQ(Mp3().mode, "playing");
  }
  m.devices["mpegvideo"].mode = "playing and more";  // only the first seven characters count
  EXPECT_TRUE(BGM_IsMP3Playing(m));
}

TEST_F(MusicFile, CloseIsHarmlessWhenNeverOpened) {
  BGM_CloseMP3(m);
  EXPECT_EQ(m.Commands(), (Strings{"stop MP3Play", "close MP3Play"}));
  BGM_PlayMP3(m, b.settings.MusicFile);
  BGM_CloseMP3(m);
  EXPECT_TRUE(m.aliases.empty());
  EXPECT_FALSE(BGM_IsMP3Playing(m));
}

TEST_F(MusicFile, WaveLoopsTheFileByName) {
  b.settings.MusicFile = "C:\\My Music\\\xE6\xB3\xA2.wav";
  BGM_PlayWave(m, b.settings.MusicFile, b.LastApiResult);
  ASSERT_EQ(m.sounds.size(), 1u);
  EXPECT_EQ(m.sounds[0].path, b.settings.MusicFile);
  using namespace sound_flags;
  EXPECT_EQ(m.sounds[0].flags, kAsync | kLoop | kNoDefault | kFilename);
  EXPECT_EQ(b.LastApiResult, 1);
  EXPECT_EQ(m.soundPlaying, b.settings.MusicFile);
  EXPECT_TRUE(m.sent.empty());  // no MCI involved

  BGM_StopWave(m, b.LastApiResult);
  EXPECT_FALSE(m.soundPlaying);
  EXPECT_TRUE(m.sounds[1].stop);
  EXPECT_EQ(b.LastApiResult, 1);
  BGM_StopWave(m, b.LastApiResult);  // harmless with nothing playing
  EXPECT_EQ(b.LastApiResult, 1);

  m.playSoundResult = 0;  // a file the player cannot use
  BGM_PlayWave(m, b.settings.MusicFile, b.LastApiResult);
  EXPECT_EQ(b.LastApiResult, 0);
  EXPECT_FALSE(m.soundPlaying);
}

TEST_F(MusicFile, NoWaveDeviceGivesSilenceAndNoError) {
  m.waveDevices = 0;
  b.settings.MusicFile = "C:\\a.wav";
  b.LastApiResult = 3;
  BGM_PlayWave(m, b.settings.MusicFile, b.LastApiResult);
  EXPECT_TRUE(m.sounds.empty());
  EXPECT_EQ(b.LastApiResult, 3);
  // An MP3 still goes through MCI.
  b.settings.MusicFile = "C:\\a.mp3";
  BGM_PlayMP3(m, b.settings.MusicFile);
  EXPECT_TRUE(BGM_IsMP3Playing(m));
}

}  // namespace tl
