// The general MCI command functions against the simulated devices.
#include <gtest/gtest.h>

#include "music/bgm.h"
#include "shared/base_module.h"
#include "backends/headless/headless_media.h"

namespace tl {

namespace {
using Strings = std::vector<std::string>;
}

TEST(MciTexts, AreTheExactUtf8Bytes) {
  EXPECT_STREQ(kNoCommandText, "コマンド文字列が指定されていません");
  EXPECT_STREQ(kNoErrorText, "Error (文字列が取れません)");
}

TEST(MciCommand, EmptyCommandSendsNothing) {
  HeadlessMedia m;
  BaseModule b;
  b.LastApiResult = 7;
  std::string out = "old";
  EXPECT_EQ(MciCommand(m, b.LastApiResult, "", out), -1);
  EXPECT_EQ(out, kNoCommandText);
  EXPECT_TRUE(m.sent.empty());
  EXPECT_EQ(b.LastApiResult, 7);
}

TEST(MciCommand, SuccessGivesTheReplyAndFailureTheErrorText) {
  HeadlessMedia m;
  BaseModule b;
  std::string out;
  m.Cd().numberOfTracks = "12";
  EXPECT_EQ(MciCommand(m, b.LastApiResult, "open cdaudio", out), 0);
  EXPECT_EQ(MciCommand(m, b.LastApiResult, "status cdaudio number of tracks", out), 0);
  EXPECT_EQ(out, "12");
  EXPECT_EQ(m.sent.back().capacity, kMciReplySize);

  EXPECT_EQ(MciCommand(m, b.LastApiResult, "status nothing mode", out), 263);
  EXPECT_EQ(b.LastApiResult, 263);
  EXPECT_EQ(out, m.errorTexts[263]);

  m.errorTexts.clear();  // the system has no text for the code
  EXPECT_EQ(MciCommand(m, b.LastApiResult, "status nothing mode", out), 263);
  EXPECT_EQ(out, kNoErrorText);
  EXPECT_EQ(MciCommand(m, b.LastApiResult, "stop cdaudio", out), 0);
  EXPECT_EQ(b.LastApiResult, 0);
}

TEST(MciQuery, FailureAnswersErrorAndTheDecimalCode) {
  HeadlessMedia m;
  BaseModule b;
  BgmModule bgm;
  EXPECT_EQ(MciQuery(m, b.LastApiResult, bgm, "status cdaudio mode"), "Error:263");
  EXPECT_EQ(bgm.MciReply, m.errorTexts[263]);  // the text stays in MciReply
  EXPECT_EQ(b.LastApiResult, 263);
  EXPECT_EQ(MciQuery(m, b.LastApiResult, bgm, "open cdaudio"), "");
  EXPECT_EQ(MciQuery(m, b.LastApiResult, bgm, "status cdaudio mode"), "stopped");
  EXPECT_EQ(bgm.MciReply, "stopped");
  EXPECT_EQ(b.LastApiResult, 0);
}

TEST(MciPlay, LeavesOutEmptyPositions) {
  HeadlessMedia m;
  BaseModule b;
  BgmModule bgm;
  MciPlay(m, b.LastApiResult, bgm, "cdaudio", "", "");
  MciPlay(m, b.LastApiResult, bgm, "cdaudio", "a", "b");
  MciPlay(m, b.LastApiResult, bgm, "cdaudio", "", "b");
  MciPlay(m, b.LastApiResult, bgm, "cdaudio", "01:00:00:00", "");
  EXPECT_EQ(m.Commands(), (Strings{"play cdaudio", "play cdaudio from a to b", "play cdaudio to b",
                                   "play cdaudio from 01:00:00:00"}));
  EXPECT_EQ(b.LastApiResult, 263);  // cdaudio was never opened
  EXPECT_EQ(bgm.MciReply, m.errorTexts[263]);
}

}  // namespace tl
