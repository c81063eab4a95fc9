// The whole program on the headless back end, from a command line to its end.
#include "startup/program.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "backends/headless/headless_window.h"
#include "shared/command_line.h"
#include "shared/settings.h"
#include "test_folder.h"

namespace tl {

namespace {

struct Program : ::testing::Test {
  TestFolder dir;
  HeadlessPlatform p;
  void SetUp() override {
    p.programPath = dir.str() + "/Tidelight.scr";
    p.screenWidth = 32;
    p.screenHeight = 24;
    p.desktop.Resize(32, 24, Rgb(90, 120, 150));
  }
  int Run(std::string_view args) {
    p.SetArguments(args);
    return RunProgram(p);
  }
  // Scripted input for a window the program will have opened by then.
  void ClickAt(uint64_t ms, const char* title) {
    p.At(ms, [this, title] {
      if (auto* w = p.FindWindow(title)) p.Click(*w, 3, 3);
    });
  }
};

}  // namespace

TEST_F(Program, SaverRunsUntilAClickThenEndsWithTheCursorBack) {
  dir.Write("Tidelight.ini", "[Section]\r\n\xCC\xAA\xB0\xC4\xDE\x93\x78= 64\r\n");
  ClickAt(5000, "Tidelight_Main");
  EXPECT_EQ(Run("/s"), 0);
  EXPECT_TRUE(p.ended);
  EXPECT_GE(p.clockMs, 5000u);
  EXPECT_EQ(p.cursorCount, 0);  // hidden at the start, shown again at the end
  EXPECT_EQ(std::count(p.calls.begin(), p.calls.end(), "EndProgram"), 1);
  EXPECT_TRUE(p.Windows().empty());
  EXPECT_EQ(p.lateCalls, 0);
}

TEST_F(Program, ASecondCopyEndsAtOnce) {
  p.openWindows = {"Tidelight_Main"};
  EXPECT_EQ(Run("/s"), 0);
  EXPECT_TRUE(p.ended);
  EXPECT_EQ(p.clockMs, 0u);
}

TEST_F(Program, SettingsModeEndsWhenItsWindowIsClosedAndWritesNothing) {
  p.At(700, [this] { p.CloseWindow(*p.FindWindow("<Tidelight>")); });
  EXPECT_EQ(Run("/c"), 0);
  EXPECT_TRUE(p.ended);
  EXPECT_EQ(p.clockMs, 700u);
  EXPECT_EQ(dir.Read("Tidelight.ini"), "");
  EXPECT_EQ(p.lateCalls, 0);
}

// Japanese for every Japanese sublanguage, English for any other language;
// the window titles that serve as the lock stay the same.
TEST_F(Program, TheUserInterfaceLanguageChoosesTheTexts) {
  for (const auto& [langId, caption] : {std::pair<uint16_t, const char*>{0x0411, "設定"}, {0x0011, "設定"},
                                        {0x0409, "OK"}, {0x0809, "OK"}, {0x0804, "OK"}, {0x0000, "OK"}}) {
    HeadlessPlatform q;
    q.programPath = p.programPath;
    q.uiLanguage = langId;
    q.SetArguments("/c");
    bool titled = false;
    q.At(700, [&] {
      HeadlessWindow* w = q.FindWindow("<Tidelight>");
      titled = w != nullptr;
      if (w) q.CloseWindow(*w);
    });
    RunProgram(q);
    EXPECT_TRUE(titled) << langId;
    EXPECT_TRUE(std::any_of(q.textDraws.begin(), q.textDraws.end(), [&](const TextDraw& t) { return t.text == caption; }))
        << langId;
  }
}

TEST_F(Program, PreviewLivesUntilItsHostIsDestroyed) {
  p.hostWindows[4660] = {0, 0, 152, 112};
  p.At(2500, [this] { p.DestroyHost(4660); });
  EXPECT_EQ(Run("/p 4660"), 0);
  EXPECT_TRUE(p.ended);
  EXPECT_EQ(p.clockMs, 2500u);
  EXPECT_EQ(p.lateCalls, 0);
}

TEST_F(Program, UnknownModesAndMissingHostsEndAtOnce) {
  for (const char* args : {"/a", "/p", "/p 99"}) {
    HeadlessPlatform q;
    q.programPath = p.programPath;
    q.SetArguments(args);
    EXPECT_EQ(RunProgram(q), 0) << args;
    EXPECT_TRUE(q.ended) << args;
    EXPECT_TRUE(q.Windows().empty()) << args;
  }
}

TEST(CommandLine, ArgumentsFollowTheProgramsPathQuotedOrNot) {
  EXPECT_EQ(ArgumentsAfterProgramPath("\"C:\\Program Files\\T.scr\" /s"), "/s");
  EXPECT_EQ(ArgumentsAfterProgramPath("C:\\T.scr   /p 123"), "/p 123");
  EXPECT_EQ(ArgumentsAfterProgramPath("C:\\T.scr\t/c:456"), "/c:456");
  EXPECT_EQ(ArgumentsAfterProgramPath("\"C:\\a b\\T.scr\""), "");
  EXPECT_EQ(ArgumentsAfterProgramPath("\"unterminated /s"), "");
  EXPECT_EQ(ArgumentsAfterProgramPath(""), "");
  // The arguments' own blanks after the first word are theirs.
  EXPECT_EQ(ArgumentsAfterProgramPath("T.scr /p  12 "), "/p  12 ");
}

TEST(CommandLine, ProgramFolderKeepsTheSeparatorOnlyAtADriveRoot) {
  EXPECT_EQ(ProgramFolderOf("C:\\Windows\\System32\\Tidelight.scr"), "C:\\Windows\\System32");
  EXPECT_EQ(ProgramFolderOf("C:\\Tidelight.scr"), "C:\\");
  EXPECT_EQ(ProgramFolderOf("\\\\server\\share\\Tidelight.scr"), "\\\\server\\share");
  EXPECT_EQ(ProgramFolderOf("/tmp/x/Tidelight.scr"), "/tmp/x");
  EXPECT_EQ(ProgramFolderOf("Tidelight.scr"), "");
}

TEST(ScreenRules, TwipsPerPixelFollowTheResolution) {
  EXPECT_EQ(TwipsPerPixelAt(96), 15);
  EXPECT_EQ(TwipsPerPixelAt(120), 12);
  EXPECT_EQ(TwipsPerPixelAt(144), 10);
  EXPECT_EQ(TwipsPerPixelAt(192), 8);   // 7.5 rounds up
  EXPECT_EQ(TwipsPerPixelAt(0), 15);    // unknown: the usual screen
  EXPECT_EQ(TwipsPerPixelAt(-1), 15);
}

TEST(HeadlessSeam, CallsAfterEndProgramAreCountedAndModalRunsEnd) {
  auto keep = HeadlessPlatform::onLateCall;
  HeadlessPlatform::onLateCall = nullptr;
  HeadlessPlatform p;
  Platform& seam = p;
  seam.windows.EndProgram();
  EXPECT_TRUE(seam.windows.Ended());  // asking is always allowed
  seam.screen.Width();
  seam.files.ReadFile("x");
  seam.windows.PumpMessages();
  HeadlessPlatform::onLateCall = keep;
  EXPECT_EQ(p.lateCalls, 3);

  // A modal run with nothing that could ever close its window returns
  // instead of waiting for ever; with a timer it stops at the loop limit.
  HeadlessPlatform q;
  struct : WindowEvents {} sink;
  auto w = q.OpenWindow({"M", WindowKind::Dialog, {0, 0, 10, 10}}, sink);
  q.RunModal(*w);
  EXPECT_EQ(q.clockMs, 0u);
  q.loopLimitMs = 1000;
  w->StartTimer(1, 100);
  q.RunModal(*w);
  EXPECT_EQ(q.clockMs, 1000u);
}

}  // namespace tl
