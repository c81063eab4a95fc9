#include "base/numeric.h"
#include "base/random.h"

#include <gtest/gtest.h>

namespace tl {

TEST(Numeric, RoundHalfEvenTiesGoToEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(12.5), 12);
  EXPECT_EQ(RoundHalfEven(13.5), 14);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

TEST(Numeric, CheckedConversionsRejectOutOfRange) {
  EXPECT_EQ(FloorToInt16(30.9), 30);
  EXPECT_EQ(FloorToInt16(-0.5), -1);
  EXPECT_EQ(FloorToInt16(32767.9), 32767);
  EXPECT_FALSE(FloorToInt16(32768));
  EXPECT_FALSE(FloorToInt16(-32769));
  EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
  EXPECT_FALSE(RoundToInt32(2147483647.5));
  EXPECT_FALSE(RoundToInt16(1e300 * 10));
}

TEST(Numeric, ParseNumberTextAcceptsBlanksAndSign) {
  EXPECT_EQ(ParseNumberText(" 24"), 24);
  EXPECT_EQ(ParseNumberText("  -3  "), -3);
  EXPECT_EQ(ParseNumberText("+7.25"), 7.25);
  EXPECT_EQ(ParseNumberText(".5"), 0.5);
  EXPECT_EQ(ParseNumberText("1e2"), 100);
  EXPECT_FALSE(ParseNumberText("abc"));
  EXPECT_FALSE(ParseNumberText("12abc"));
  EXPECT_FALSE(ParseNumberText("-"));
  EXPECT_FALSE(ParseNumberText(""));
  EXPECT_FALSE(ParseNumberText("1e"));
}

TEST(Numeric, ReadLeadingNumberStopsAtFirstUnusableCharacter) {
  EXPECT_EQ(ReadLeadingNumber("1234"), 1234);
  EXPECT_EQ(ReadLeadingNumber(" 12 34x9"), 1234);
  EXPECT_EQ(ReadLeadingNumber("x12"), 0);
  EXPECT_EQ(ReadLeadingNumber(""), 0);
  EXPECT_EQ(ReadLeadingNumber("-5.5.5"), -5.5);
}

TEST(Numeric, TextForms) {
  EXPECT_EQ(FormatWithSignPosition(24), " 24");
  EXPECT_EQ(FormatWithSignPosition(0), " 0");
  EXPECT_EQ(FormatWithSignPosition(-3), "-3");
  EXPECT_EQ(FormatHashHash(0), "");
  EXPECT_EQ(FormatHashHash(7), "7");
  EXPECT_EQ(FormatHashHash(30), "30");
  EXPECT_EQ(UpperAscii("a.mp3\xE9"), "A.MP3\xE9");
}

TEST(Random, ResetThenReseedGivesTheSameSequenceEveryTime) {
  auto firstAfterReset = [] {
    RandomGenerator g;
    g.Next(-1);
    g.Reseed(1);
    return std::pair{g.Next(), g.Next()};
  };
  RandomGenerator used;
  for (int i = 0; i < 10; ++i) used.Next();
  const auto a = firstAfterReset();
  used.Next(-1);
  used.Reseed(1);
  EXPECT_EQ(used.Next(), a.first);
  EXPECT_EQ(used.Next(), a.second);
  EXPECT_EQ(firstAfterReset(), a);
}

TEST(Random, ValuesStayInUnitIntervalAndVary) {
  RandomGenerator g;
  double prev = -1;
  int changes = 0;
  for (int i = 0; i < 10000; ++i) {
    const double v = g.Next();
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 1.0);
    changes += v != prev;
    prev = v;
  }
  EXPECT_GT(changes, 9990);
}

}  // namespace tl
