#include "base/cp932.h"
#include "base/stored_path.h"
#include "shared/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

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

// The field counts characters: 128 double-byte ones fill it, and a name is
// never cut inside a double-byte character.
TEST_F(SettingsFixture, TheNameFieldCountsCharactersNotBytes) {
  std::string wide;
  for (int i = 0; i < 140; ++i) wide += "\x93\x78";  // 度 × 140
  PutIniValue(p, b, keys::kSection, wide, "1", SettingsFile(p));
  const std::string kept = wide.substr(0, 256);
  EXPECT_EQ(dir.Read("Tidelight.ini"), "[Section]\r\n" + kept + "=1\r\n");
  EXPECT_EQ(GetIniValue(p, keys::kSection, kept, SettingsFile(p)), "1");

  const std::string mixed = std::string(127, 'k') + "\x93\x78" + "tail";
  PutIniValue(p, b, keys::kSection, mixed, "2", SettingsFile(p));
  EXPECT_NE(dir.Read("Tidelight.ini").find("\r\n" + std::string(127, 'k') + "\x93\x78=2\r\n"),
            std::string::npos);
  // The section's field is cut the same way.
  BaseModule m;
  PutIniValue(p, m, std::string(127, 's') + "\x83\x5D" + "x", "K", "3", SettingsFile(p));
  EXPECT_NE(dir.Read("Tidelight.ini").find("[" + std::string(127, 's') + "\x83\x5D]\r\nK=3\r\n"),
            std::string::npos);
}

namespace {
std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}
}  // namespace

// Paths far longer than 255 bytes in every form the file keeps them in come
// back whole, and the file keeps them in the bytes it always has.
TEST_F(SettingsFixture, LongMusicPathsOfEveryScriptComeBackWhole) {
  struct Case {
    const char* script;
    std::string folder;   // under 255 bytes, the longest name a folder may have here
    bool cp932;           // stored in code page 932, else in the marked UTF-8 form
  };
  // Under 260 characters in all, so that no file function of either system
  // needs the long-path form.
  const Case cases[] = {
      {"Korean", Repeat("\xEC\x9D\x8C\xEC\x95\x85", 40), false},         // 음악, 240 bytes
      {"Japanese", Repeat("\xE9\x9F\xB3\xE6\xA5\xBD", 40), true},        // 音楽, 160 bytes in 932
      {"Cyrillic", Repeat("\xD0\x9C\xD1\x83\xD0\xB7", 20), true},        // Муз, 120 bytes in 932
      {"Greek and Latin", Repeat("\xCE\xBC\xC3\xA9", 30), false},       // μé
      {"beyond the first plane", Repeat("\xF0\x9F\x8E\xB5", 30), false},  // a note, two units
  };
  for (const Case& c : cases) {
    TestFolder music;
    std::filesystem::path host = PathFromUtf8(music.str());
    for (int depth = 0; depth < 2; ++depth) {
      host /= PathFromUtf8(c.folder);
      std::filesystem::create_directory(host);
    }
    const std::string path = Utf8FromPath(host / "tide.mp3");
    std::ofstream(host / "tide.mp3") << "x";
    b.settings = {2, 0, path, 24, 10};
    SaveSettings(p, b);
    const std::string stored = EncodeStoredPath(path);
    ASSERT_GT(stored.size(), 255u) << c.script;
    EXPECT_EQ(stored.starts_with(kUtf8PathMarker), !c.cp932) << c.script;
    if (c.cp932) {
      EXPECT_EQ(stored, Utf8ToCp932(path)) << c.script;
    }
    EXPECT_NE(dir.Read("Tidelight.ini").find(std::string(keys::kMusicFile) + "=" + stored + "\r\n"),
              std::string::npos)
        << c.script;
    BaseModule back;
    LoadSettings(p, back);
    EXPECT_EQ(back.settings.MusicFile, path) << c.script;
    EXPECT_EQ(back.settings.MusicKind, 2) << c.script;
  }
  // The numbers keep the 255-byte cut: the x beyond it is never seen.
  WriteIni(Line(keys::kFadeDepth, "30." + std::string(260, '0') + "x"));
  BaseModule cut;
  LoadSettings(p, cut);
  EXPECT_EQ(cut.settings.FadeDepth, 30);
}

TEST(StoredPath, ComesBackWholeUpToTheLongestPathWindowsAccepts) {
  const std::string longest = "C:\\" + std::string(kLongestPathUnits - 3, 'a');
  EXPECT_EQ(DecodeStoredPath(EncodeStoredPath(longest)), longest);
  EXPECT_EQ(DecodeStoredPath(EncodeStoredPath(longest + "a")), "");
  const std::string korean = "C:\\" + Repeat("\xEC\x9D\x8C", int(kLongestPathUnits) - 3);
  EXPECT_EQ(DecodeStoredPath(EncodeStoredPath(korean)), korean);
  EXPECT_EQ(DecodeStoredPath(EncodeStoredPath(korean + "\xEC\x9D\x8C")), "");
  // Two units each beyond the first plane.
  const std::string notes = Repeat("\xF0\x9F\x8E\xB5", int(kLongestPathUnits / 2));
  EXPECT_EQ(DecodeStoredPath(EncodeStoredPath(notes)), notes);
  EXPECT_EQ(DecodeStoredPath(EncodeStoredPath(notes + "\xF0\x9F\x8E\xB5")), "");
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
