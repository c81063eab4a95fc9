// Round trips between our profile code on the win32 back end and the
// system's own profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/cp932.h"
#include "base/stored_path.h"
#include "shared/settings.h"
#include "test_folder.h"
#include "backends/win32/win32_platform.h"

namespace tl {

namespace {
std::string SystemRead(const std::string& file, const char* key, const char* section = "Section",
                       size_t size = 256) {
  std::string buf(size, '\0');
  GetPrivateProfileStringA(section, key, "", buf.data(), static_cast<DWORD>(size), file.c_str());
  return buf.c_str();
}

// The system's A functions read our bytes as code page 932 only on a system
// whose ANSI code page it is; elsewhere the test has nothing to compare.
bool OnAJapaneseSystem() {
  if (GetACP() == 932) return true;
  const char* expect = std::getenv("TIDELIGHT_EXPECT_ACP932");
  if (expect && std::string(expect) == "1") ADD_FAILURE() << "ANSI code page " << GetACP();
  return false;
}

// A program-folder platform whose program lives in a test folder.
struct InFolder : Win32Platform {
  std::string folder;
  std::string ProgramPath() override { return folder + "\\Tidelight.scr"; }
  std::string UserDataFolder() override { return folder + "\\user"; }
};

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
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
  if (!OnAJapaneseSystem()) GTEST_SKIP() << "the system's ANSI code page is " << GetACP();
  TestFolder dir;
  InFolder p;
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

// Names that differ in a trail byte, in the case of a double-byte letter or
// in the pair that holds a character twice, matched as the system does.
TEST(Win32Profile, NamesMatchAsTheSystemMatchesThem) {
  if (!OnAJapaneseSystem()) GTEST_SKIP() << "the system's ANSI code page is " << GetACP();
  struct Pair {
    const char* written;
    const char* asked;
    bool same;
  };
  const Pair pairs[] = {
      {"\xCC\xAA\xB0\xC4\xDE\x93\x58", "\xCC\xAA\xB0\xC4\xDE\x93\x78", false},  // ﾌｪｰﾄﾞ店, ﾌｪｰﾄﾞ度
      {"BGM\x8B\xE6\x95\xAA", "bgm\x8B\xE6\x95\xAA", true},
      {"\x87\x54", "\xFA\x4A", true},           // Ⅰ under its two pairs
      {"\x82\x60\x82\x61", "\x82\x81\x82\x82", false},  // ＡＢ, ａｂ
      {"\x84\x40", "\x84\x70", false},          // А, а
      {"\x83\x5D", "\x83\x7D", false},          // ゾ, ポ
  };
  for (const Pair& pair : pairs) {
    TestFolder dir;
    Win32Platform p;
    BaseModule b;
    const std::string file = dir.str() + "\\Tidelight.ini";
    // The system writes, both read; then we write, both read.
    ASSERT_TRUE(WritePrivateProfileStringA("Section", pair.written, "1", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA(pair.written, "K", "2", file.c_str()));
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    const std::string want = pair.same ? "1" : "";
    EXPECT_EQ(SystemRead(file, pair.asked), want) << pair.asked;
    EXPECT_EQ(GetIniValue(p, "Section", pair.asked, file), want) << pair.asked;
    EXPECT_EQ(SystemRead(file, "K", pair.asked), pair.same ? "2" : "") << pair.asked;
    EXPECT_EQ(GetIniValue(p, pair.asked, "K", file), pair.same ? "2" : "") << pair.asked;
    PutIniValue(p, b, "Section", pair.written, "3", file);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    EXPECT_EQ(SystemRead(file, pair.asked), pair.same ? "3" : "") << pair.asked;
  }
}

// A value cut by the reader's buffer keeps whole characters, as the system's
// reader does.
TEST(Win32Profile, ACutValueKeepsWholeCharacters) {
  if (!OnAJapaneseSystem()) GTEST_SKIP() << "the system's ANSI code page is " << GetACP();
  TestFolder dir;
  Win32Platform p;
  const std::string file = dir.str() + "\\Tidelight.ini";
  const std::string wide = Repeat("\x93\x78", 150);
  ASSERT_TRUE(WritePrivateProfileStringA("Section", "W", wide.c_str(), file.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Section", "V", ("a" + wide).c_str(), file.c_str()));
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  for (const char* key : {"W", "V"}) {
    const std::string ours = GetIniValue(p, "Section", key, file);
    EXPECT_EQ(ours, SystemRead(file, key)) << key;
    EXPECT_LE(ours.size(), 255u);
  }
}

// Music paths far longer than 255 bytes, in the code-page-932 form and in
// the marked UTF-8 form, through a save and a load on this back end.
TEST(Win32Profile, LongMusicPathsComeBackWhole) {
  struct Case {
    const char* script;
    std::string folder;
    bool cp932;
  };
  const Case cases[] = {
      {"Korean", Repeat("\xEC\x9D\x8C\xEC\x95\x85", 20), false},   // 음악
      {"Japanese", Repeat("\xE9\x9F\xB3\xE6\xA5\xBD", 20), true},  // 音楽
      {"Cyrillic", Repeat("\xD0\x9C\xD1\x83\xD0\xB7", 14), true},  // Муз
      {"Latin", Repeat("caf\xC3\xA9", 10), false},
  };
  for (const Case& c : cases) {
    TestFolder dir;
    InFolder p;
    p.folder = dir.str();
    std::string path = dir.str();
    for (int depth = 0; depth < 4; ++depth) {
      path += "\\" + c.folder;
      ASSERT_TRUE(p.MakeFolder(path)) << c.script;
    }
    path += "\\tide.mp3";
    ASSERT_TRUE(p.WriteFile(path, {1, 2, 3})) << c.script;
    BaseModule b;
    b.settings = {2, 0, path, 24, 10};
    SaveSettings(p, b);
    const std::string stored = EncodeStoredPath(path);
    ASSERT_GT(stored.size(), 255u) << c.script;
    EXPECT_EQ(stored.starts_with(kUtf8PathMarker), !c.cp932) << c.script;
    const auto bytes = p.ReadFile(SettingsFile(p));
    ASSERT_TRUE(bytes);
    const std::string text(bytes->begin(), bytes->end());
    EXPECT_NE(text.find(std::string(keys::kMusicFile) + "=" + stored + "\r\n"), std::string::npos)
        << c.script;
    BaseModule back;
    LoadSettings(p, back);
    EXPECT_EQ(back.settings.MusicFile, path) << c.script;
    EXPECT_EQ(back.settings.MusicKind, 2) << c.script;
    // The system reads the same code-page-932 path, given room for it.
    if (c.cp932 && GetACP() == 932) {
      EXPECT_EQ(SystemRead(SettingsFile(p), keys::kMusicFile, "Section", 32768), stored) << c.script;
    }
  }
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
