// The Linux program's command line and its run, on the headless back end.
#include "startup/linux_program.h"

#include <sstream>

#include <gtest/gtest.h>

#include "backends/headless/headless_window.h"
#include "shared/ui_texts.h"
#include "test_folder.h"

namespace tl {

namespace {

struct OptionsCase {
  std::vector<std::string> args;
  std::string expect;  // the options in short, or "error: <text>"
};

std::string Summary(const LinuxOptions& o) {
  if (!o.error.empty()) return "error: " + o.error;
  std::string s;
  if (o.fadeDepth) s += "depth " + std::to_string(*o.fadeDepth) + " ";
  if (o.fadeSpeed) s += "speed " + std::to_string(*o.fadeSpeed) + " ";
  if (o.musicFile) s += "music " + *o.musicFile + " ";
  if (o.noMusic) s += "no-music ";
  if (o.root) s += "root ";
  if (o.windowId) s += "window " + std::to_string(*o.windowId) + " ";
  if (o.help) s += "help ";
  if (o.version) s += "version ";
  return s;
}

TEST(LinuxOptions, ParseAsXscreensaverAndPeopleWriteThem) {
  const OptionsCase cases[] = {
      {{}, ""},
      {{"--root"}, "root "},
      {{"-root", "-window-id", "0x2A"}, "root window 42 "},
      {{"--window-id=123"}, "window 123 "},
      {{"--fade-depth", "30", "-fade-speed=7"}, "depth 30 speed 7 "},
      {{"--fade-depth", "12.9", "--fade-speed", "2.5"}, "depth 12 speed 2 "},  // the file's rounding
      {{"--fade-depth", "-5"}, "depth -5 "},
      {{"--music", "/a b.mp3", "--no-music"}, "no-music "},
      {{"--no-music", "--music", "/a.wav"}, "music /a.wav "},
      {{"-h", "--version"}, "help version "},
      {{"--fade-depth", "40000"}, "error: --fade-depth needs a number, not '40000'"},
      {{"--fade-speed", "fast"}, "error: --fade-speed needs a number, not 'fast'"},
      {{"--window-id", "0x"}, "error: --window-id needs a window id, not '0x'"},
      {{"--window-id", "12ab"}, "error: --window-id needs a window id, not '12ab'"},
      {{"--music"}, "error: --music needs a value"},
      {{"--root=1"}, "error: --root takes no value"},
      {{"--fps"}, "error: unknown option '--fps'"},
      {{"picture.png"}, "error: unexpected argument 'picture.png'"},
      {{"-"}, "error: unexpected argument '-'"},
  };
  for (const OptionsCase& c : cases) {
    std::string line;
    for (const auto& a : c.args) line += a + " ";
    EXPECT_EQ(Summary(ParseLinuxOptions(c.args)), c.expect) << line;
  }
}

TEST(LinuxOptions, TheWindowGivenWinsOverXscreensaversAndABadOneIsNone) {
  LinuxOptions given;
  given.windowId = 7;
  EXPECT_EQ(HostWindowOf(given, "0x10"), 7u);
  EXPECT_EQ(HostWindowOf({}, "0x10"), 16u);
  EXPECT_EQ(HostWindowOf({}, "junk"), std::nullopt);
  EXPECT_EQ(HostWindowOf({}, nullptr), std::nullopt);
}

struct LinuxProgram : ::testing::Test {
  TestFolder dir;
  HeadlessPlatform p;
  std::ostringstream err;
  void SetUp() override {
    p.userDataFolder = dir.str();
    p.screenWidth = 32;
    p.screenHeight = 24;
    p.desktop.Resize(32, 24, Rgb(90, 120, 150));
    std::filesystem::create_directories(PathFromUtf8(dir.str() + "/tidelight"));
    p.At(3000, [this] {
      if (auto* w = p.FindWindow("Tidelight_Main")) p.Click(*w, 3, 3);
    });
  }
  int Run(const std::vector<std::string>& args, bool hosted = false, bool holdsMusic = true) {
    return RunLinuxSaver(p, ParseLinuxOptions(args), hosted, err, holdsMusic);
  }
};

TEST(LinuxOptions, TheLocaleNamesTheLanguage) {
  for (const auto& [locale, langId] : std::vector<std::pair<const char*, uint16_t>>{
           {"ja_JP.UTF-8", 0x0411}, {"ja", 0x0411}, {"ja_JP@x", 0x0411}, {"jam", 0x0409},
           {"en_GB.UTF-8", 0x0409}, {"C", 0x0409}, {"", 0x0409}}) {
    EXPECT_EQ(LangIdOfLocaleName(locale), langId) << locale;
  }
}

TEST_F(LinuxProgram, ReadsTheUsersFileAndTheCommandLineOverridesIt) {
  const std::string mp3 = dir.Write("song.mp3", "not really");
  // Music kind 2 with a file that is gone, as the settings store drops it.
  dir.Write("tidelight/Tidelight.ini", "[Section]\r\nBGM\x8B\xE6\x95\xAA=2\r\nBGM\xCC\xA7\xB2\xD9=/gone.mp3\r\n");
  EXPECT_EQ(Run({"--music", mp3}), 0);
  EXPECT_EQ(p.filesRead.front(), dir.str() + "\\tidelight\\Tidelight.ini");
  ASSERT_FALSE(p.media.Commands().empty());
  EXPECT_EQ(p.media.Commands().front(), "open \"" + mp3 + "\" type MPEGVideo Alias MP3Play");
  EXPECT_TRUE(p.ended);
  EXPECT_EQ(p.cursorCount, -1) << "hidden over its own screen; the windows' end shows it";
  EXPECT_EQ(err.str(), "");
}

TEST_F(LinuxProgram, AnAudioCdPlaysNothingAndSaysSoOnce) {
  dir.Write("tidelight/Tidelight.ini", "[Section]\r\nBGM\x8B\xE6\x95\xAA=1\r\n");
  EXPECT_EQ(Run({}, true), 0);
  EXPECT_TRUE(p.media.Commands().empty());
  EXPECT_EQ(err.str(), "tidelight: audio CD music is not supported on Linux; playing none\n");
  EXPECT_EQ(p.cursorCount, 0) << "a host's pointer is its owner's";
}

TEST_F(LinuxProgram, OwnScreenRunsOneCopyHostedAnyNumberAndNoMusicSilencesTheFile) {
  const std::string mp3 = dir.Write("song.mp3", "not really");
  dir.Write("tidelight/Tidelight.ini", "[Section]\r\nBGM\x8B\xE6\x95\xAA=2\r\nBGM\xCC\xA7\xB2\xD9=" + mp3 + "\r\n");
  p.openWindows = {"Tidelight_Main"};
  EXPECT_EQ(Run({}), 0);
  EXPECT_FALSE(p.FindWindow("Tidelight_Main"));
  EXPECT_EQ(p.clockMs, 0u);
  EXPECT_EQ(Run({"--no-music"}, true), 0);
  EXPECT_GE(p.clockMs, 3000u);
  EXPECT_TRUE(p.media.Commands().empty());
}

struct LinuxMusic : LinuxProgram {
  void SetUp() override {
    LinuxProgram::SetUp();
    const std::string mp3 = dir.Write("song.mp3", "not really");
    dir.Write("tidelight/Tidelight.ini", "[Section]\r\nBGM\x8B\xE6\x95\xAA=2\r\nBGM\xCC\xA7\xB2\xD9=" + mp3 + "\r\n");
  }
};

TEST_F(LinuxMusic, ACopyWithoutTheMusicLockPlaysNone) {
  EXPECT_EQ(Run({}, true, false), 0);
  EXPECT_TRUE(p.media.Commands().empty()) << "another copy plays it";
}

TEST_F(LinuxMusic, AFileThatCannotStartAgainIsNotTriedEverySecond) {
  // It plays, stops and cannot start again: one failed restart, then
  // silence for the rest of the run (three seconds of ticks).
  p.media.failures["play MP3Play from 0"] = mci_error::kCannotLoadDriver;
  p.At(500, [this] { p.media.devices["mpegvideo"].mode = "stopped"; });
  EXPECT_EQ(Run({}, true), 0);
  const auto sent = p.media.Commands();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "play MP3Play from 0"), 1);
}

}  // namespace

}  // namespace tl
