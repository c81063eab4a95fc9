#include <gtest/gtest.h>

#include "base/cp932_chars.h"
#include "base/utf8_chars.h"

namespace tl {

TEST(Utf8Chars, CountsCharactersNotBytes) {
  const std::string_view s = "\xEF\xBC\x8Ds\xF0\x9F\x8E\xB5z";  // full-width hyphen, s, a note, z
  EXPECT_EQ(Utf8CharAt(s, 0), "\xEF\xBC\x8D");
  EXPECT_EQ(Utf8CharAt(s, 1), "s");
  EXPECT_EQ(Utf8CharAt(s, 2), "\xF0\x9F\x8E\xB5");
  EXPECT_EQ(Utf8CharAt(s, 4), "");
  EXPECT_EQ(Utf8DropChars(s, 3), "z");
  EXPECT_EQ(Utf8DropChars(s, 9), "");
  EXPECT_EQ(Utf8CharValue(s, 0), 0xFF0Du);
  EXPECT_EQ(Utf8CharValue(s, 4), 0x1F3B5u);
  EXPECT_EQ(Utf16Length(s), 5u);  // the note takes two units
}

TEST(Utf8Chars, MalformedBytesAreOneCharacterEach) {
  // A lone continuation byte, a lead byte cut short, an overlong form and an
  // encoded surrogate: each byte stands alone and nothing after it is lost.
  const std::string_view s = "\x80" "\xE3\x81" "\xC0\xAF" "\xED\xA0\x80" "p";
  size_t chars = 0;
  for (size_t at = 0; at < s.size(); at += Utf8CharSize(s, at)) ++chars;
  EXPECT_EQ(chars, s.size());
  EXPECT_EQ(Utf8CharAt(s, 8), "p");
  EXPECT_EQ(Utf8CharValue(s, 0), 0x80u);
  EXPECT_EQ(Utf8CharSize(s, s.size()), 0u);
}

TEST(Cp932Chars, CutsNeverSplitADoubleByteCharacter) {
  const std::string_view s = "a\x93\x78" "b\x83\x5D";  // a度bゾ
  EXPECT_EQ(Cp932FirstChars(s, 2), "a\x93\x78");
  EXPECT_EQ(Cp932FirstChars(s, 9), s);
  EXPECT_EQ(Cp932FitBytes(s, 2), "a");
  EXPECT_EQ(Cp932FitBytes(s, 3), "a\x93\x78");
  EXPECT_EQ(Cp932FitBytes(s, 5), "a\x93\x78" "b");
  // ']' as the second byte of ゾ is no bracket.
  EXPECT_EQ(Cp932Find(s, ']'), std::string_view::npos);
  EXPECT_EQ(Cp932Find("\x83\x5D]", ']'), 2u);
  // A lead byte at the very end is a character of its own.
  EXPECT_EQ(Cp932FirstChars("ab\x93", 3), "ab\x93");
  EXPECT_EQ(Cp932CharSize("\x93", 0), 1u);
}

}  // namespace tl
