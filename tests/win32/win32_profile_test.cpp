// Round trips between our profile code on the win32 back end and the
// system's own profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/cp932.h"
#include "startup/settings.h"
#include "test_folder.h"
#include "backends/win32/win32_platform.h"

namespace tl {

namespace {
std::string SystemRead(const std::string& file, const char* key) {
  char buf[256] = {};
  GetPrivateProfileStringA("Section", key, "", buf, sizeof buf, file.c_str());
  return buf;
}
}  // namespace

TEST(Win32Profile, SystemReadsWhatWeWriteAndWeReadWhatSystemWrites) {
  TestFolder dir;
  Win32Platform p;
  BaseModule b;
  const std::string file = dir.str() + "\\Tidelight.ini";
  PutIniValue(p, b, keys::kSection, "FadeSpeed", " 10", file);
  PutIniValue(p, b, keys::kSection, keys::kFadeDepth, " 24", file);
  EXPECT_EQ(b.LastApiResult, 1);
  EXPECT_EQ(SystemRead(file, "FadeSpeed"), "10");  // the system trims the blank too
  ASSERT_TRUE(WritePrivateProfileStringA("Section", "BGMKind", " 2", file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Section", "FadeSpeed", "33", file.c_str()));
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());  // flush the cache
  EXPECT_EQ(GetIniValue(p, keys::kSection, "BGMKind", file), "2");
  EXPECT_EQ(GetIniValue(p, keys::kSection, "FadeSpeed", file), "33");
  EXPECT_EQ(GetIniValue(p, keys::kSection, keys::kFadeDepth, file), "24");
}

// With the system's ANSI code page 932 (a Japanese system) the system's own A
// functions see the same key names and values as our byte-level code.
TEST(Win32Profile, JapaneseNamesRoundTripOnAJapaneseSystem) {
  if (GetACP() != 932) {
    const char* expect = std::getenv("TIDELIGHT_EXPECT_ACP932");
    if (expect && std::string(expect) == "1") FAIL() << "ANSI code page " << GetACP();
    GTEST_SKIP() << "the system's ANSI code page is " << GetACP();
  }
  TestFolder dir;
  struct InFolder : Win32Platform {
    std::string folder;
    std::string ProgramPath() override { return folder + "\\Tidelight.scr"; }
    std::string UserDataFolder() override { return folder + "\\user"; }
  } p;
  BaseModule b;
  p.folder = dir.str();
  const std::string file = SettingsFile(p);
  b.settings = {2, 3, "", 48, 20};
  const std::string music = dir.str() + "\\\xE9\x9F\xB3\xE6\xA5\xBD.mp3";  // 音楽.mp3
  ASSERT_TRUE(p.WriteFile(music, {1, 2, 3}));
  b.settings.MusicFile = music;
  SaveSettings(p, b);
  EXPECT_EQ(SystemRead(file, keys::kFadeDepth), "48");
  EXPECT_EQ(SystemRead(file, keys::kRepeatTrack), "3");
  EXPECT_EQ(SystemRead(file, keys::kMusicFile), *Utf8ToCp932(music));
  ASSERT_TRUE(WritePrivateProfileStringA(keys::kSection, keys::kFadeSpeed, "35", file.c_str()));
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  BaseModule back;
  LoadSettings(p, back);
  EXPECT_EQ(back.settings.FadeSpeed, 35);
  EXPECT_EQ(back.settings.MusicKind, 2);
  EXPECT_EQ(back.settings.MusicFile, music);
}

TEST(Win32Platform, FilesFoldersAndCodePage) {
  TestFolder dir;
  Win32Platform p;
  const std::string path = dir.str() + "\\\xE9\x9F\xB3.bin";  // a Japanese file name
  EXPECT_TRUE(p.WriteFile(path, {1, 2, 3}));
  EXPECT_TRUE(p.CanOpenForReading(path));
  EXPECT_FALSE(p.CanOpenForReading(dir.str()));
  EXPECT_EQ(p.ReadFile(path), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_FALSE(p.ReadFile(dir.str() + "\\none"));
  EXPECT_TRUE(p.MakeFolder(dir.str() + "\\sub"));
  EXPECT_TRUE(p.MakeFolder(dir.str() + "\\sub"));
  EXPECT_EQ(Utf8ToCp932("\xE9\x9F\xB3"), "\x89\xB9");
  EXPECT_FALSE(Utf8ToCp932("caf\xC3\xA9"));
  EXPECT_EQ(Cp932ToUtf8("\x89\xB9"), "\xE9\x9F\xB3");
  EXPECT_NE(ProgramFolderOf(p.ProgramPath()), "");
}

}  // namespace tl
