#include "base/stored_path.h"
#include "startup/settings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "test_folder.h"

namespace tl {

namespace {

struct SettingsFixture : ::testing::Test {
  TestFolder dir;
  HeadlessPlatform p;
  BaseModule b;
  void SetUp() override { p.programPath = dir.str() + "/Tidelight.scr"; }
  void WriteIni(const std::string& body) { dir.Write("Tidelight.ini", "[Section]\r\n" + body); }
  std::string Line(const char* key, const std::string& value) {
    return std::string(key) + "=" + value + "\r\n";
  }
};

}  // namespace

TEST_F(SettingsFixture, NoFileGivesDefaults) {
  LoadSettings(p, b);
  EXPECT_EQ(b.settings.MusicKind, 0);
  EXPECT_EQ(b.settings.RepeatTrack, 0);
  EXPECT_EQ(b.settings.MusicFile, "");
  EXPECT_EQ(b.settings.FadeDepth, 24);
  EXPECT_EQ(b.settings.FadeSpeed, 10);
}

TEST_F(SettingsFixture, WholeNumberRuleRoundsDownAndBadTextGivesZero) {
  for (auto [text, want] : {std::pair{"30.9", 30}, {"-0.5", -1}, {"abc", 0}, {" 24", 24},
                            {"40000", 0}}) {
    BaseModule fresh;
    WriteIni(Line(keys::kFadeDepth, text));
    LoadSettings(p, fresh);
    EXPECT_EQ(fresh.settings.FadeDepth, want) << text;
  }
}

TEST_F(SettingsFixture, LongRuleRoundsHalfToEven) {
  for (auto [text, want] : {std::pair{"12.5", 12}, {"13.5", 14}, {"x", 0}, {"", 10}}) {
    BaseModule fresh;
    WriteIni(Line(keys::kFadeSpeed, text));
    LoadSettings(p, fresh);
    EXPECT_EQ(fresh.settings.FadeSpeed, want) << text;
  }
}

TEST_F(SettingsFixture, MissingMusicFileTurnsOnlyFileMusicOff) {
  WriteIni(Line(keys::kMusicKind, " 2") + Line(keys::kMusicFile, dir.str() + "/gone.mp3"));
  LoadSettings(p, b);
  EXPECT_EQ(b.settings.MusicKind, 0);
  EXPECT_EQ(b.settings.MusicFile, "");

  BaseModule cd;
  WriteIni(Line(keys::kMusicKind, " 1"));
  LoadSettings(p, cd);
  EXPECT_EQ(cd.settings.MusicKind, 1);

  BaseModule ok;
  const std::string song = dir.Write("a b.mp3", "x");
  WriteIni(Line(keys::kMusicKind, " 2") + Line(keys::kMusicFile, song));
  LoadSettings(p, ok);
  EXPECT_EQ(ok.settings.MusicKind, 2);
  EXPECT_EQ(ok.settings.MusicFile, song);
}

TEST_F(SettingsFixture, LongValueIsCutTo255Bytes) {
  WriteIni(Line(keys::kRepeatTrack, std::string(300, '1')));
  EXPECT_EQ(GetIniValue(p, keys::kSection, keys::kRepeatTrack, SettingsFile(p)).size(), 255u);
  LoadSettings(p, b);  // far beyond 16 bits: not assigned, no crash
  EXPECT_EQ(b.settings.RepeatTrack, 0);
}

TEST_F(SettingsFixture, SavedFileHasTheExactBytes) {
  b.settings = {2, 3, "", 24, 10};
  SaveSettings(p, b);
  EXPECT_EQ(dir.Read("Tidelight.ini"),
            "[Section]\r\n"
            "BGM\x8B\xE6\x95\xAA= 2\r\n"
            "BGM\xD8\xCB\xDF\xB0\xC4= 3\r\n"
            "BGM\xCC\xA7\xB2\xD9=\r\n"
            "\xCC\xAA\xB0\xC4\xDE\x93\x78= 24\r\n"
            "\xCC\xAA\xB0\xC4\xDE\xBD\xCB\xDF\xB0\xC4\xDE= 10\r\n");
  EXPECT_EQ(b.LastApiResult, 1);
}

TEST_F(SettingsFixture, LoadReadsTheFileOnce) {
  const std::string song = dir.Write("s.wav", "x");
  WriteIni(Line(keys::kMusicKind, " 2") + Line(keys::kRepeatTrack, " 4") +
           Line(keys::kMusicFile, song) + Line(keys::kFadeDepth, " 30") +
           Line(keys::kFadeSpeed, " 7"));
  LoadSettings(p, b);
  EXPECT_EQ(p.filesRead, std::vector<std::string>{SettingsFile(p)});
  EXPECT_EQ(b.settings.MusicKind, 2);
  EXPECT_EQ(b.settings.RepeatTrack, 4);
  EXPECT_EQ(b.settings.MusicFile, song);
  EXPECT_EQ(b.settings.FadeDepth, 30);
  EXPECT_EQ(b.settings.FadeSpeed, 7);
}

// The one-pass save leaves the bytes that the dialog's five PutIniValue
// calls leave, whatever the file held before.
TEST_F(SettingsFixture, SaveLeavesTheBytesOfFivePutIniValueCallsInOrder) {
  const std::string before[] = {
      "",
      "[Section]\r\nBGM\x8B\xE6\x95\xAA=1",  // no line end at the end
      "; mine\r\n[Other]\r\nK=v\r\n\r\n[section]\r\n\xCC\xAA\xB0\xC4\xDE\x93\x78=9\r\n\r\n[Z]\r\n",
      "[Section]\n\xCC\xAA\xB0\xC4\xDE\xBD\xCB\xDF\xB0\xC4\xDE = 3\nbgm\xCC\xA7\xB2\xD9=old\nX=1\n",
      "[Other]\r\nA=1\r\n",
  };
  const std::string song = dir.Write("\xE9\x9F\xB3.mp3", "x");
  for (const std::string& start : before) {
    b.settings = {2, 5, song, 36, 25};
    dir.Write("Tidelight.ini", start);
    BaseModule each = b;
    const char* names[] = {keys::kMusicKind, keys::kRepeatTrack, keys::kMusicFile,
                           keys::kFadeDepth, keys::kFadeSpeed};
    const std::string values[] = {" 2", " 5", EncodeStoredPath(song), " 36", " 25"};
    for (int i = 0; i < 5; ++i) PutIniValue(p, each, keys::kSection, names[i], values[i], SettingsFile(p));
    const std::string want = dir.Read("Tidelight.ini");

    dir.Write("Tidelight.ini", start);
    p.filesRead.clear();
    const size_t callsBefore = p.calls.size();
    SaveSettings(p, b);
    EXPECT_EQ(dir.Read("Tidelight.ini"), want) << start;
    EXPECT_EQ(p.filesRead.size(), 1u);
    EXPECT_EQ(std::count_if(p.calls.begin() + static_cast<long>(callsBefore), p.calls.end(),
                            [](const std::string& c) { return c.starts_with("WriteFile"); }),
              1);
    EXPECT_EQ(b.LastApiResult, 1);
  }
}

TEST_F(SettingsFixture, MusicPathsRoundTripInCodePage932OrMarkedUtf8) {
  const std::string japanese = dir.Write("\xE9\x9F\xB3\xE6\xA5\xBD.mp3", "x");  // 音楽.mp3
  const std::string accented = dir.Write("caf\xC3\xA9.wav", "x");  // e-acute is not in code page 932
  for (const std::string& path : {japanese, accented}) {
    b.settings = {2, 0, path, 24, 10};
    SaveSettings(p, b);
    BaseModule back;
    LoadSettings(p, back);
    EXPECT_EQ(back.settings.MusicFile, path);
    EXPECT_EQ(back.settings.MusicKind, 2);
  }
  EXPECT_NE(dir.Read("Tidelight.ini").find(std::string(kUtf8PathMarker) + accented),
            std::string::npos);
  EXPECT_EQ(EncodeStoredPath(japanese).find("\x89\xb9\x8a\x79"), dir.str().size() + 1);
}

TEST_F(SettingsFixture, UnwritableProgramFolderFallsBackToUserFile) {
  TestFolder user;
  p.userDataFolder = user.str();
  p.programPath = dir.str() + "/missing-folder" + "/Tidelight.scr";
  b.settings = {0, 0, "", 30, 20};
  SaveSettings(p, b);
  EXPECT_EQ(b.LastApiResult, 1);
  EXPECT_EQ(user.Read("Tidelight/Tidelight.ini"),
            "[Section]\r\n"
            "BGM\x8B\xE6\x95\xAA= 0\r\n"
            "BGM\xD8\xCB\xDF\xB0\xC4= 0\r\n"
            "BGM\xCC\xA7\xB2\xD9=\r\n"
            "\xCC\xAA\xB0\xC4\xDE\x93\x78= 30\r\n"
            "\xCC\xAA\xB0\xC4\xDE\xBD\xCB\xDF\xB0\xC4\xDE= 20\r\n");
  BaseModule back;
  LoadSettings(p, back);
  EXPECT_EQ(back.settings.FadeDepth, 30);
  EXPECT_EQ(back.settings.FadeSpeed, 20);
  // Once the per-user file exists it wins for reads and takes the writes.
  p.programPath = dir.str() + "/Tidelight.scr";
  WriteIni(Line(keys::kFadeDepth, " 12"));
  BaseModule again;
  LoadSettings(p, again);
  EXPECT_EQ(again.settings.FadeDepth, 30);
  again.settings.FadeDepth = 44;
  SaveSettings(p, again);
  EXPECT_NE(user.Read("Tidelight/Tidelight.ini").find("\x93\x78= 44\r\n"), std::string::npos);
  EXPECT_EQ(dir.Read("Tidelight.ini"), "[Section]\r\n" + Line(keys::kFadeDepth, " 12"));
}

TEST_F(SettingsFixture, PutIniValueCutsNamesAt128Characters) {
  BaseModule m;
  PutIniValue(p, m, "Section", std::string(140, 'k'), "v", SettingsFile(p));
  EXPECT_EQ(dir.Read("Tidelight.ini"), "[Section]\r\n" + std::string(128, 'k') + "=v\r\n");
}

TEST(SettingsPaths, FileExistsAndFolderOfPath) {
  TestFolder dir;
  HeadlessPlatform p;
  EXPECT_FALSE(FileExists(p, dir.str() + "\\"));
  EXPECT_FALSE(FileExists(p, dir.str()));
  EXPECT_FALSE(FileExists(p, ""));
  EXPECT_TRUE(FileExists(p, dir.Write("f.wav", "x")));
  EXPECT_EQ(FolderOfPath("C:\\Music\\a.mp3"), "C:\\Music");
  EXPECT_EQ(FolderOfPath("C:\\a.mp3"), "C:");
  EXPECT_EQ(FolderOfPath("C:a.mp3"), "C:");
  EXPECT_EQ(FolderOfPath("a.mp3"), "");
}

}  // namespace tl
