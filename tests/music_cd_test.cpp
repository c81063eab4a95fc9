// The audio-CD player: open, close and the supervision tick against a
// simulated drive.
#include <gtest/gtest.h>

#include "music/bgm.h"
#include "shared/base_module.h"
#include "backends/headless/headless_media.h"

namespace tl {

namespace {
using Strings = std::vector<std::string>;

const Strings kStatusQueries = {"status cdaudio current track", "status cdaudio number of tracks",
                                "status cdaudio mode"};

Strings Plus(Strings a, const Strings& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Cd : ::testing::Test {
  HeadlessMedia m;
  BaseModule b;
  BgmModule bgm;
  void SetUp() override {
    b.settings.MusicKind = 1;
    m.Cd().numberOfTracks = "10";
    for (int t = 1; t <= 10; ++t) m.Cd().trackPositions[t] = std::to_string(t) + ":00:00:00";
    BGM_OpenCD(m, b.LastApiResult);
    m.sent.clear();
  }
  // One tick; returns what it sent.
  Strings Tick() {
    m.sent.clear();
    BGM_PollCD(m, b.settings.RepeatTrack, b.LastApiResult, bgm);
    return m.Commands();
  }
};
}  // namespace

TEST(CdOpenClose, SendTheirCommandsAndKeepTheLastCode) {
  HeadlessMedia m;
  BaseModule b;
  BgmModule bgm;
  BGM_OpenCD(m, b.LastApiResult);
  EXPECT_EQ(m.Commands(), (Strings{"open cdaudio", "set cdaudio time format tmsf"}));
  EXPECT_EQ(m.Cd().timeFormat, "tmsf");
  EXPECT_EQ(m.sent[1].capacity, 0u);
  EXPECT_EQ(b.LastApiResult, 0);
  m.sent.clear();
  BGM_CloseCD(m, b.LastApiResult);
  EXPECT_EQ(m.Commands(), (Strings{"stop cdaudio", "close cdaudio"}));
  EXPECT_TRUE(m.aliases.empty());
}

TEST_F(Cd, WithoutRepeatTrackAStoppedDiscIsPlayedOn) {
  EXPECT_EQ(Tick(), Plus(kStatusQueries, {"play cdaudio"}));
  EXPECT_EQ(bgm.CdAvailable, kTrue);
  EXPECT_EQ(m.sent[0].capacity, kMciReplySize);
  EXPECT_EQ(m.sent[2].capacity, kCdModeSize);
  EXPECT_EQ(m.Cd().lastPlay, "");
  // Playing or paused: left alone.
  EXPECT_EQ(Tick(), kStatusQueries);
  m.Cd().mode = "paused";
  EXPECT_EQ(Tick(), kStatusQueries);
  // A current track that is no number does not matter without a repeat track.
  m.Cd().currentTrack = "none";
  EXPECT_EQ(Tick(), kStatusQueries);
  EXPECT_EQ(bgm.CdAvailable, kTrue);
}

TEST_F(Cd, RepeatTrackIsRestartedWhenAnotherPlaysOrTheDiscStopped) {
  b.settings.RepeatTrack = 3;
  m.Cd().mode = "playing";
  m.Cd().currentTrack = "4";
  const Strings restart =
      Plus(kStatusQueries, {"status cdaudio position track 3", "play cdaudio from 3:00:00:00"});
  EXPECT_EQ(Tick(), restart);
  EXPECT_EQ(m.Cd().lastPlay, "from 3:00:00:00");

  m.Cd().currentTrack = "3";  // the repeat track plays: only the queries
  EXPECT_EQ(Tick(), kStatusQueries);
  m.Cd().mode = "paused";
  EXPECT_EQ(Tick(), kStatusQueries);

  m.Cd().mode = "stopped";  // stopped on the repeat track itself
  EXPECT_EQ(Tick(), restart);
  m.Cd().currentTrack = "03";  // compared as numbers
  m.Cd().mode = "playing";
  EXPECT_EQ(Tick(), kStatusQueries);
  EXPECT_EQ(bgm.CdAvailable, kTrue);
}

TEST_F(Cd, RepeatTrackBeyondTheLastKeepsTryingWithoutEndingSupervision) {
  b.settings.RepeatTrack = 12;
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(Tick(), Plus(kStatusQueries, {"status cdaudio position track 12",
                                            "play cdaudio from Error:282"}));
    EXPECT_EQ(bgm.CdAvailable, kTrue);
    EXPECT_EQ(b.LastApiResult, static_cast<int32_t>(mci_error::kOutOfRange));  // the play failed
    EXPECT_EQ(m.Cd().mode, "stopped");
  }
}

TEST_F(Cd, AnErrorInAnyLetterCaseEndsSupervision) {
  for (const char* reply : {"err", "xErRx", "ERROR"}) {
    m.Cd().currentTrack = reply;
    EXPECT_EQ(Tick(), (Strings{"status cdaudio current track"})) << reply;
    EXPECT_EQ(bgm.CdAvailable, kFalse);
  }
  m.Cd().currentTrack = "1";
  m.Cd().numberOfTracks = "error";
  EXPECT_EQ(Tick(), (Strings{"status cdaudio current track", "status cdaudio number of tracks"}));
  EXPECT_EQ(bgm.CdAvailable, kFalse);
}

TEST_F(Cd, AFailingQueryEndsSupervisionOnTheFirstTick) {
  m.failures["status cdaudio current track"] = mci_error::kCannotLoadDriver;  // no disc
  EXPECT_EQ(Tick(), (Strings{"status cdaudio current track"}));
  EXPECT_EQ(bgm.CdAvailable, kFalse);
  EXPECT_EQ(bgm.MciReply, m.errorTexts[mci_error::kCannotLoadDriver]);
}

TEST_F(Cd, ACurrentTrackThatIsNoNumberEndsSupervisionWithARepeatTrack) {
  b.settings.RepeatTrack = 3;
  for (const char* reply : {"", "three", "3a"}) {
    m.Cd().currentTrack = reply;
    m.Cd().mode = "stopped";
    EXPECT_EQ(Tick(), kStatusQueries) << reply;
    EXPECT_EQ(bgm.CdAvailable, kFalse);
  }
  // Each tick starts afresh: a good answer turns it back on for that tick.
  m.Cd().currentTrack = "3";
  Tick();
  EXPECT_EQ(bgm.CdAvailable, kTrue);
}

}  // namespace tl
