// Round trips between our profile code on the win32 back end and the
// system's own profile functions.
#include <windows.h>

#include <gtest/gtest.h>

#include "startup/settings.h"
#include "test_folder.h"
#include "toolkit/win32/win32_platform.h"

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
  EXPECT_EQ(p.ToCodePage932("\xE9\x9F\xB3"), "\x89\xB9");
  EXPECT_FALSE(p.ToCodePage932("caf\xC3\xA9"));
  EXPECT_EQ(p.FromCodePage932("\x89\xB9"), "\xE9\x9F\xB3");
  EXPECT_FALSE(p.ProgramFolder().empty());
}

}  // namespace tl
