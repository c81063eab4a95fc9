// Faults injected into the whole program on the headless back end: the
// program keeps what it had, shows no message, keeps running where it can,
// and always ends cleanly on input.
#include <gtest/gtest.h>

#include <algorithm>

#include "backends/headless/headless_window.h"
#include "saver/saver_window.h"
#include "startup/program.h"
#include "shared/settings.h"
#include "test_folder.h"

namespace tl {

namespace {

struct Faults : ::testing::Test {
  TestFolder dir;
  HeadlessPlatform p;
  void SetUp() override {
    p.programPath = dir.str() + "/Tidelight.scr";
    p.screenWidth = 40;
    p.screenHeight = 30;
    p.desktop.Resize(40, 30, Rgb(90, 120, 150));
    p.loopLimitMs = 60000;
  }
  void ClickSaverAt(uint64_t ms) {
    p.At(ms, [this] {
      if (auto* w = p.FindWindow("Tidelight_Main")) p.Click(*w, 1, 1);
    });
  }
  void RunSaver(uint64_t untilClick = 3000) {
    ClickSaverAt(untilClick);
    p.SetArguments("/s");
    RunProgram(p);
  }
  void ExpectCleanEnd() {
    EXPECT_TRUE(p.ended);
    EXPECT_EQ(p.lateCalls, 0);
    EXPECT_EQ(p.cursorCount, 0);
  }
  std::string Ini(const std::string& kindValue, const std::string& file) {
    return "[Section]\r\nBGM\x8B\xE6\x95\xAA=" + kindValue + "\r\nBGM\xCC\xA7\xB2\xD9=" + file +
           "\r\n";
  }
};

}  // namespace

TEST_F(Faults, UnwritableFoldersLoseNothingAndTheSaverStillRuns) {
  const std::string before = "[Section]\r\n\xCC\xAA\xB0\xC4\xDE\x93\x78= 48\r\n";
  dir.Write("Tidelight.ini", before);
  TestFolder user;
  p.userDataFolder = user.str();
  p.writesFail = true;
  BaseModule b;
  LoadSettings(p, b);
  b.settings.FadeDepth = 12;
  SaveSettings(p, b);
  EXPECT_EQ(b.LastApiResult, 0);  // the failure is reported where the caller looks
  EXPECT_EQ(dir.Read("Tidelight.ini"), before);
  EXPECT_TRUE(p.messageBoxes.empty());
  RunSaver();
  ExpectCleanEnd();
  EXPECT_GT(p.clockMs, 2000u);
}

TEST_F(Faults, AFailedSnapshotStillGivesASaverThatEnds) {
  p.snapshotFails = true;
  RunSaver();
  ExpectCleanEnd();
  EXPECT_TRUE(p.messageBoxes.empty());
}

TEST_F(Faults, MissingSoundDevicesAndAFileDeletedWhilePlayingStaySilent) {
  dir.Write("tone.wav", "RIFF");
  dir.Write("Tidelight.ini", Ini(" 2", dir.str() + "/tone.wav"));
  p.media.waveDevices = 0;
  RunSaver();
  ExpectCleanEnd();
  EXPECT_TRUE(p.media.sounds.empty() ||
              std::all_of(p.media.sounds.begin(), p.media.sounds.end(),
                          [](const auto& s) { return s.stop; }));

  // An MP3 that disappears: every restart fails, quietly, until the click.
  HeadlessPlatform q;
  q.programPath = p.programPath;
  q.screenWidth = 40;
  q.screenHeight = 30;
  dir.Write("song.mp3", "ID3");
  dir.Write("Tidelight.ini", Ini(" 2", dir.str() + "/song.mp3"));
  q.At(1500, [&q] {
    q.media.devices["mpegvideo"].mode = "stopped";
    q.media.failures["play MP3Play from 0"] = 275;  // the file cannot be found
  });
  q.At(6000, [&q] {
    if (auto* w = q.FindWindow("Tidelight_Main")) q.PressKey(*w, vk::kSpace);
  });
  q.SetArguments("/s");
  RunProgram(q);
  EXPECT_TRUE(q.ended);
  EXPECT_EQ(q.lateCalls, 0);
  const auto c = q.media.Commands();
  EXPECT_GE(std::count(c.begin(), c.end(), "play MP3Play from 0"), 3);
  EXPECT_EQ(c.back(), "close MP3Play");
  EXPECT_TRUE(q.messageBoxes.empty());
}

TEST_F(Faults, ACdAnsweringGarbageEndsItsSupervisionButNotTheFade) {
  dir.Write("Tidelight.ini",
            "[Section]\r\nBGM\x8B\xE6\x95\xAA= 1\r\nBGM\xD8\xCB\xDF\xB0\xC4= 3\r\n");
  p.media.Cd().currentTrack = "\x01garbage";
  p.media.Cd().mode = "???";
  RunSaver(4000);
  ExpectCleanEnd();
  const auto c = p.media.Commands();
  // One supervision tick found nonsense; nothing more was asked of the drive.
  EXPECT_EQ(std::count(c.begin(), c.end(), "status cdaudio current track"), 1);
  EXPECT_EQ(std::count(c.begin(), c.end(), "close cdaudio"), 0);
}

TEST_F(Faults, TheTickCounterWrappingDuringARevealKeepsTheFadeGoing) {
  p.clockMs = (uint64_t{1} << 32) - 400;  // wraps within the first reveal
  p.SetArguments("/s");
  BaseModule b;
  b.settings.FadeDepth = 24;
  b.settings.FadeSpeed = 10;
  Tidelight_S saver(p, b);
  saver.Load();
  p.Advance(1000);
  ASSERT_GT(p.clockMs, uint64_t{1} << 32);
  // Steps go on after the wrap.
  int16_t last = saver.FadeLevel;
  int changes = 0;
  for (int i = 0; i < 100; ++i) {
    p.Advance(50);
    changes += saver.FadeLevel != last;
    last = saver.FadeLevel;
  }
  EXPECT_GE(changes, 5);
  EXPECT_FALSE(p.ended);
  EXPECT_TRUE(p.messageBoxes.empty());
}

TEST_F(Faults, ThePreviewsHostDestroyedAtAnyMomentOfItsStartEndsTheProgram) {
  for (int at = 0; at < 30; ++at) {
    HeadlessPlatform q;
    q.programPath = p.programPath;
    q.hostWindows[4660] = {0, 0, 152, 112};
    int n = 0;
    q.beforeEachCall = [&](const std::string&) {
      if (n++ == at) q.DestroyHost(4660);
    };
    q.At(500, [&q] { q.DestroyHost(4660); });  // when the start passed unharmed
    q.SetArguments("/p 4660");
    q.loopLimitMs = 1000;
    RunProgram(q);
    EXPECT_TRUE(q.ended) << "host destroyed before call " << at;
    EXPECT_EQ(q.lateCalls, 0) << at;
  }
}

TEST_F(Faults, InputDuringEveryMomentOfStartUpAndShutdownEndsTheSaverCleanly) {
  // Count the calls of one whole run first, then click before each of them.
  int total = 0;
  {
    HeadlessPlatform q;
    q.programPath = p.programPath;
    q.screenWidth = 40;
    q.screenHeight = 30;
    q.beforeEachCall = [&](const std::string&) { ++total; };
    q.At(2000, [&q] { q.PressKey(*q.FindWindow("Tidelight_Main"), vk::kEscape); });
    q.SetArguments("/s");
    RunProgram(q);
  }
  ASSERT_GT(total, 20);
  for (int at = 0; at < total; at += std::max(1, total / 200)) {
    HeadlessPlatform q;
    q.programPath = p.programPath;
    q.screenWidth = 40;
    q.screenHeight = 30;
    q.loopLimitMs = 5000;
    int n = 0;
    q.beforeEachCall = [&](const std::string&) {
      if (n++ != at) return;
      if (auto* w = q.FindWindow("Tidelight_Main")) q.Click(*w, 2, 2);
    };
    // Input that came before the window existed goes nowhere; this ends it then.
    q.At(3000, [&q] {
      if (auto* w = q.FindWindow("Tidelight_Main")) q.PressKey(*w, vk::kShift);
    });
    q.SetArguments("/s");
    RunProgram(q);
    EXPECT_TRUE(q.ended) << "input before call " << at;
    EXPECT_EQ(q.lateCalls, 0) << at;
    EXPECT_EQ(q.cursorCount, 0) << at;
  }
}

}  // namespace tl

namespace tl {

namespace {
// The settings dialog's "設定" or "ｷｬﾝｾﾙ" button, found by where it stands.
void ClickDialogButton(HeadlessPlatform& p, Rect at) {
  for (HeadlessWindow* w : p.Windows())
    if (w->spec.kind == WindowKind::Control && w->spec.rect == at) {
      p.PointAt(*w, 4, 4);
      p.Press();
      p.Release();
      return;
    }
  ADD_FAILURE() << "no button there";
}
}  // namespace

TEST_F(Faults, TheSettingsFileReplacedWhileTheDialogIsOpen) {
  const Rect set{316, 296, 316 + 81, 296 + 25}, cancel{400, 296, 400 + 81, 296 + 25};
  const std::string replacement = "[Other]\r\nkept=1\r\n" + Ini(" 1", "") + "\xCC\xAA\xB0\xC4\xDE\x93\x78= 40\r\n";
  for (const bool apply : {true, false}) {
    for (const std::string& replaced : {replacement, std::string("\0\xFF\xFE garbage[\r\n=", 16)}) {
      HeadlessPlatform q;
      q.programPath = p.programPath;
      q.loopLimitMs = 60000;
      dir.Write("Tidelight.ini", Ini(" 0", ""));
      q.At(300, [&] { dir.Write("Tidelight.ini", replaced); });
      q.At(400, [&, apply] { ClickDialogButton(q, apply ? set : cancel); });
      q.SetArguments("/c");
      RunProgram(q);
      EXPECT_TRUE(q.ended);
      EXPECT_EQ(q.lateCalls, 0);
      const std::string now = dir.Read("Tidelight.ini");
      if (!apply) {
        EXPECT_EQ(now, replaced);
        continue;
      }
      // The dialog's own values land over whatever the file holds now.
      HeadlessPlatform reader;
      reader.programPath = p.programPath;
      BaseModule read;
      LoadSettings(reader, read);
      EXPECT_EQ(read.settings.MusicKind, 0);
      EXPECT_EQ(read.settings.FadeDepth, 24);
      EXPECT_EQ(read.settings.FadeSpeed, 10);
      if (replaced == replacement) {
        EXPECT_NE(now.find("kept=1"), std::string::npos);
      }
    }
  }
}

}  // namespace tl
