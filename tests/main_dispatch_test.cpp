#include "startup/main_dispatch.h"
#include "shared/command_line.h"

#include <gtest/gtest.h>

#include "test_folder.h"

namespace tl {

namespace {

struct Outcome {
  std::string handedTo;
  bool ended;
  int32_t cursor;
  bool readSettings;
};

Outcome RunMain(const std::string& args, std::set<std::string> windows = {}) {
  TestFolder dir;
  HeadlessPlatform p;
  p.programPath = dir.str() + "/Tidelight.scr";
  p.SetArguments(args);
  p.openWindows = std::move(windows);
  BaseModule b;
  std::string handed;
  ModeHandlers m{[&] { handed = "preview"; }, [&] { handed = "settings"; },
                 [&] { handed = "saver"; }};
  Main(p, b, m);
  return {handed, p.ended, p.cursorCount, !p.filesRead.empty()};
}

}  // namespace

TEST(Main, OutcomeTable) {
  auto o = RunMain("");
  EXPECT_EQ(o.handedTo, "saver");
  EXPECT_EQ(o.cursor, 0);  // empty command line: cursor left visible
  EXPECT_FALSE(o.ended);
  for (const char* s : {"/s", "/S", "-s"}) {
    o = RunMain(s);
    EXPECT_EQ(o.handedTo, "saver") << s;
    EXPECT_EQ(o.cursor, -1) << s;
  }
  for (const char* c : {"/c", "/C", "/c:1234"}) {
    o = RunMain(c);
    EXPECT_EQ(o.handedTo, "settings") << c;
    EXPECT_TRUE(o.ended) << c;
  }
  for (const char* other : {"/", "/a", "x"}) {
    o = RunMain(other);
    EXPECT_EQ(o.handedTo, "") << other;
    EXPECT_TRUE(o.ended) << other;
  }
}

TEST(Main, PreviewNeverReadsTheSettings) {
  for (const char* p : {"/p 1234", "/P:1234"}) {
    const auto o = RunMain(p);
    EXPECT_EQ(o.handedTo, "preview");
    EXPECT_FALSE(o.readSettings);
  }
  EXPECT_TRUE(RunMain("/s").readSettings);
}

TEST(Main, RunningCopyEndsEveryMode) {
  for (const char* title : {"Tidelight_Main", "<Tidelight>"}) {
    for (const char* args : {"/s", "/p 12", "/c", ""}) {
      const auto o = RunMain(args, {title});
      EXPECT_EQ(o.handedTo, "") << title << args;
      EXPECT_TRUE(o.ended);
    }
  }
  // Both titles are always looked up.
  HeadlessPlatform p;
  p.openWindows = {"Tidelight_Main"};
  BaseModule b;
  Main(p, b, {});
  EXPECT_EQ(p.calls[0], "FindWindow Tidelight_Main");
  EXPECT_EQ(p.calls[1], "FindWindow <Tidelight>");
}

TEST(Main, ModeLetter) {
  EXPECT_EQ(ModeLetter(""), "");
  EXPECT_EQ(ModeLetter("/"), "");
  EXPECT_EQ(ModeLetter("/s"), "S");
  EXPECT_EQ(ModeLetter("xpq"), "P");
}

// A first character that is not ASCII, such as the full-width hyphen code
// page 932 holds, still leaves the letter in second place.
TEST(Main, TheModeLetterIsTheSecondCharacterNotTheSecondByte) {
  const std::string hyphen = "\xEF\xBC\x8D";  // －
  EXPECT_EQ(ModeLetter(hyphen + "s"), "S");
  EXPECT_EQ(ModeLetter(hyphen + "p 12"), "P");
  EXPECT_EQ(ModeLetter(hyphen), "");
  EXPECT_EQ(ModeLetter("/\xE3\x81\x82"), "\xE3\x81\x82");  // a letter of its own, whole
  auto o = RunMain(hyphen + "s");
  EXPECT_EQ(o.handedTo, "saver");
  EXPECT_EQ(o.cursor, -1);
  o = RunMain(hyphen + "C:12");
  EXPECT_EQ(o.handedTo, "settings");
  o = RunMain(hyphen + "\xE3\x81\x82");
  EXPECT_EQ(o.handedTo, "");
  EXPECT_TRUE(o.ended);
}

}  // namespace tl
