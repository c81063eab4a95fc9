#include "base/profile.h"
#include "base/profile_names.h"

#include <gtest/gtest.h>

namespace tl {

namespace {
Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }
std::string S(const Bytes& b) { return std::string(b.begin(), b.end()); }
}  // namespace

TEST(Profile, ReadMissingFileSectionKeyAndEmptyValue) {
  const Bytes f = B("[Section]\r\nA=1\r\nB=\r\n[Other]\r\nC=3\r\n");
  EXPECT_EQ(ProfileRead({}, "Section", "A", 256), "");
  EXPECT_EQ(ProfileRead(f, "Nope", "A", 256), "");
  EXPECT_EQ(ProfileRead(f, "Section", "C", 256), "");
  EXPECT_EQ(ProfileRead(f, "Section", "B", 256), "");
  EXPECT_EQ(ProfileRead(f, "section", "a", 256), "1");
  EXPECT_EQ(ProfileRead(f, "Other", "C", 256), "3");
}

TEST(Profile, ReadTrimsBlanksAndQuotesAndCutsToBuffer) {
  const Bytes f = B("[S]\n  K  =  \" 24 \"  \nL= 24\nM=" + std::string(300, 'x') + "\n");
  EXPECT_EQ(ProfileRead(f, "S", "K", 256), " 24 ");
  EXPECT_EQ(ProfileRead(f, "S", "L", 256), "24");
  EXPECT_EQ(ProfileRead(f, "S", "M", 256), std::string(255, 'x'));
  // A double-byte character that would straddle the cut is left out whole.
  std::string wide;
  for (int i = 0; i < 150; ++i) wide += "\x93\x78";
  const Bytes g = B("[S]\r\nW=" + wide + "\r\nV=a" + wide + "\r\n");
  EXPECT_EQ(ProfileRead(g, "S", "W", 256), wide.substr(0, 254));
  EXPECT_EQ(ProfileRead(g, "S", "V", 256), "a" + wide.substr(0, 254));
  EXPECT_EQ(ProfileRead(g, "S", "W", kWholeValue), wide);
}

TEST(Profile, WriteCreatesFileAndSection) {
  Bytes f = ProfileWrite({}, "Section", "A", " 1");
  EXPECT_EQ(S(f), "[Section]\r\nA= 1\r\n");
  f = ProfileWrite(f, "Section", "B", "x");
  EXPECT_EQ(S(f), "[Section]\r\nA= 1\r\nB=x\r\n");
  f = ProfileWrite(f, "Other", "C", "y");
  EXPECT_EQ(S(f), "[Section]\r\nA= 1\r\nB=x\r\n\r\n[Other]\r\nC=y\r\n");
}

TEST(Profile, WriteReplacesInPlaceAndKeepsOtherLines) {
  const Bytes f = B("; note\r\n[Section]\r\nA=1\r\nB=2\r\n\r\n[Other]\r\nA=9\r\n");
  EXPECT_EQ(S(ProfileWrite(f, "section", "a", "5")),
            "; note\r\n[Section]\r\nA=5\r\nB=2\r\n\r\n[Other]\r\nA=9\r\n");
  // A new key goes after the section's last entry, before the blank line.
  EXPECT_EQ(S(ProfileWrite(f, "Section", "C", "3")),
            "; note\r\n[Section]\r\nA=1\r\nB=2\r\nC=3\r\n\r\n[Other]\r\nA=9\r\n");
  // A file whose last line has no line end still gets well-formed lines.
  EXPECT_EQ(S(ProfileWrite(B("[S]\nA=1"), "S", "B", "2")), "[S]\nA=1\r\nB=2\r\n");
}

TEST(Profile, WriteThenReadRoundTripsArbitraryBytes) {
  const std::string key = "\xCC\xAA\xB0\xC4\xDE\x93\x78";
  const std::string value = "C:\\\x89\xB9\x8A\x79\\a b.mp3";
  const Bytes f = ProfileWrite({}, "Section", key, value);
  EXPECT_EQ(ProfileRead(f, "Section", key, 256), value);
}

// Names as the system compares them: ASCII case folded per character, the
// second byte of a double-byte character never folded on its own.
TEST(ProfileNames, CaseIsFoldedPerCharacterNeverInATrailByte) {
  const std::string depth = "\xCC\xAA\xB0\xC4\xDE\x93\x78";  // ﾌｪｰﾄﾞ度
  const std::string store = "\xCC\xAA\xB0\xC4\xDE\x93\x58";  // ﾌｪｰﾄﾞ店: 0x58 is 'X' on its own
  EXPECT_FALSE(SameProfileName(depth, store));
  EXPECT_TRUE(SameProfileName("bgm\x8B\xE6\x95\xAA", "BGM\x8B\xE6\x95\xAA"));
  EXPECT_TRUE(SameProfileName("\x87\x54", "\xFA\x4A"));    // the same Ⅰ held under two pairs
  EXPECT_FALSE(SameProfileName("\x82\x60", "\x82\x81"));   // Ａ, ａ: full-width, as the system has it
  EXPECT_FALSE(SameProfileName("\x82\x60", "A"));          // full-width is not ASCII
  EXPECT_FALSE(SameProfileName("\x83\x5D", "\x83\x7D"));   // ゾ, ポ: ']' and '}' are no letters
  EXPECT_FALSE(SameProfileName("\xB1", "\x91"));           // single bytes above ASCII stay apart
  EXPECT_FALSE(SameProfileName("ab\x93", "AB\x94"));       // a lead byte cut short
  EXPECT_TRUE(SameProfileName("ab\x93", "AB\x93"));
}

TEST(Profile, ReadAndWriteMatchNamesPerCharacter) {
  const std::string depth = "\xCC\xAA\xB0\xC4\xDE\x93\x78";
  const std::string store = "\xCC\xAA\xB0\xC4\xDE\x93\x58";
  const Bytes f = B("[Section]\r\n" + store + "=7\r\n");
  EXPECT_EQ(ProfileRead(f, "Section", depth, 256), "");
  EXPECT_EQ(S(ProfileWrite(f, "Section", depth, "1")),
            "[Section]\r\n" + store + "=7\r\n" + depth + "=1\r\n");
  // A section name whose double-byte character ends in the byte of ']'.
  const std::string zo = "\x83\x5D";  // ゾ
  const Bytes g = ProfileWrite({}, zo, "K", "v");
  EXPECT_EQ(S(g), "[" + zo + "]\r\nK=v\r\n");
  EXPECT_EQ(ProfileRead(g, zo, "K", 256), "v");
  EXPECT_EQ(ProfileRead(g, "\x83", "K", 256), "");
}

}  // namespace tl
