#include "base/profile.h"

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

}  // namespace tl
