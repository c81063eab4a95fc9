// tidelight --add-to-xscreensaver: the entry added to ~/.xscreensaver's list
// of hacks with every other byte kept, on the file as xscreensaver writes it
// and on the forms a person may have written by hand.
#include "startup/xscreensaver_file.h"

#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "startup/add_to_xscreensaver.h"
#include "xscreensaver_fixture.h"

namespace tl {

namespace {

const std::string kCommand = "tidelight --root";
const std::string kLine = HackListLine(kCommand);

// xscreensaver's app-defaults as Debian installs them, shortened: its list
// ends on an entry, not on a blank line.
const std::string kAppDefaults =
    "*lock:\t\t\tFalse\n"
    "*programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\n"
    "\n"
    "*pointerHysteresis:\t10\n";

}  // namespace

TEST(XscreensaverFile, EntriesAreLaidOutAsXscreensaverWritesThem) {
  // The first two as they stand in the fixture; a long command keeps one tab.
  EXPECT_EQ(HackListLine("maze --root"), "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n");
  EXPECT_EQ(HackListLine("superquadrics --root"), "\t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n");
  EXPECT_EQ(HackListLine("tidelight --root"), "\t\t\t\ttidelight --root\t\t\t    \\n\\\n");
  const std::string longer(45, 'x');
  EXPECT_EQ(HackListLine(longer), "\t\t\t\t" + longer + "\t    \\n\\\n");
}

TEST(XscreensaverFile, AddsOneLineToXscreensaversOwnFileAndNothingTheSecondTime) {
  const std::string file(test::kDotXscreensaver);
  const HackListEdit edit = AddToHackList(file, kAppDefaults, kCommand);
  ASSERT_EQ(edit.outcome, HackListOutcome::Added);
  // The line goes after the last entry, before the blank line that ends the list.
  const size_t at = file.find(test::kDotXscreensaverLastEntry) + test::kDotXscreensaverLastEntry.size();
  EXPECT_EQ(edit.text, file.substr(0, at) + kLine + file.substr(at));

  const HackListEdit again = AddToHackList(edit.text, kAppDefaults, kCommand);
  EXPECT_EQ(again.outcome, HackListOutcome::Listed);
  EXPECT_EQ(again.text, "");
}

TEST(XscreensaverFile, ListsWrittenByHandGainTheEntryAtTheirEnd) {
  struct Case {
    const char* what;
    std::string file, expect;
  };
  const std::string defaultList = "programs:\t\t\t\t\t\t\t\t      \\\n\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                                  "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n" + kLine + "\n";
  const Case cases[] = {
      {"one line", "lock: False\nprograms: maze --root\nfade: True\n",
       "lock: False\nprograms: maze --root\\n\\\n" + kLine + "\nfade: True\n"},
      {"one line, no line end", "programs: maze --root", "programs: maze --root\\n\\\n" + kLine + "\n"},
      {"empty", "programs:\nfade: True\n", "programs:\\\n" + kLine + "\nfade: True\n"},
      {"last entry ends the value", "programs: \\\n  maze --root \\n\\\n  zoom --root \\n\nfade: True\n",
       "programs: \\\n  maze --root \\n\\\n  zoom --root \\n\\\n" + kLine + "\nfade: True\n"},
      {"last entry without \\n", "programs: \\\n  maze --root \\n\\\n  zoom --root\n",
       "programs: \\\n  maze --root \\n\\\n  zoom --root\\n\\\n" + kLine + "\n"},
      {"runs to the end of the file", "programs: \\\n  maze --root \\n\\", "programs: \\\n  maze --root \\n\\\n" + kLine + "\n"},
      {"key after blanks", "  programs :  maze\n", "  programs :  maze\\n\\\n" + kLine + "\n"},
      // Not the key: a comment, a longer name, a line inside another value.
      {"none", "lock: False", "lock: False\n\n" + defaultList},
      {"commented", "# programs: tidelight --root\n", "# programs: tidelight --root\n\n" + defaultList},
      {"longer name", "programsX: tidelight\n", "programsX: tidelight\n\n" + defaultList},
      {"inside a value", "textProgram: fortune \\\nprograms: tidelight\n",
       "textProgram: fortune \\\nprograms: tidelight\n\n" + defaultList},
  };
  for (const Case& c : cases) {
    const HackListEdit edit = AddToHackList(c.file, kAppDefaults, kCommand);
    EXPECT_EQ(edit.outcome, HackListOutcome::Added) << c.what;
    EXPECT_EQ(edit.text, c.expect) << c.what;
    EXPECT_EQ(AddToHackList(edit.text, kAppDefaults, kCommand).outcome, HackListOutcome::Listed) << c.what;
  }
}

TEST(XscreensaverFile, TheProgramAlreadyListedInAnyFormIsLeftAsTheUserHasIt) {
  struct Case {
    const char* entry;
    HackListOutcome expect;
  };
  const Case cases[] = {
      {"tidelight --root", HackListOutcome::Listed},
      {"\t\t\t\ttidelight -root --fade-depth 30", HackListOutcome::Listed},
      {"/usr/local/bin/tidelight --root", HackListOutcome::Listed},
      {"GL: tidelight --root", HackListOutcome::Listed},
      {"\"Tide at night\" tidelight --root", HackListOutcome::Listed},
      {"-\t\t\t\ttidelight --root", HackListOutcome::ListedSwitchedOff},
      {"- GL: \t'/home/a b/tidelight' --root", HackListOutcome::ListedSwitchedOff},
      // xscreensaver-settings wraps a long entry with a bare backslash.
      {"tidelight --root --music      \\\n\t\t\t\t  /tmp/a.mp3 --no-music", HackListOutcome::Listed},
      {"maze --root      \\\n\t\t\t\t  tidelight", HackListOutcome::Added},
      {"tidelight-fx --root", HackListOutcome::Added},
      {"xtidelight --root", HackListOutcome::Added},
      {"maze --tidelight", HackListOutcome::Added},
  };
  for (const Case& c : cases) {
    const std::string file = "programs: \\\n  maze --root \\n\\\n  " + std::string(c.entry) + " \\n\\\n\n";
    EXPECT_EQ(AddToHackList(file, std::nullopt, kCommand).outcome, c.expect) << c.entry;
  }
}

TEST(XscreensaverFile, WithoutAFileXscreensaversDefaultListIsWrittenWithTheEntry) {
  const HackListEdit edit = AddToHackList(std::nullopt, kAppDefaults, kCommand);
  ASSERT_EQ(edit.outcome, HackListOutcome::Created);
  EXPECT_TRUE(edit.text.starts_with("# XScreenSaver Preferences File\n# Written by tidelight")) << edit.text;
  EXPECT_TRUE(edit.text.ends_with("\n\nprograms:\t\t\t\t\t\t\t\t      \\\n\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                                  "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n" + kLine + "\n"))
      << edit.text;
  EXPECT_EQ(AddToHackList(edit.text, kAppDefaults, kCommand).outcome, HackListOutcome::Listed);
  // No xscreensaver defaults: the entry alone.
  EXPECT_TRUE(AddToHackList(std::nullopt, std::nullopt, kCommand).text.ends_with("\n\nprograms:\\\n" + kLine + "\n"));
}

TEST(AddToXscreensaver, WritesOnlyWhatItCouldReadAndSaysWhatItDid) {
  struct Case {
    const char* what;
    std::string home;
    FileText file;
    bool writable;
    int exitCode;
    bool written;
    std::string says;  // in the output or the error
  };
  const FileText missing{FileText::State::Missing, {}};
  const FileText fixture{FileText::State::Read, std::string(test::kDotXscreensaver)};
  const FileText listed{FileText::State::Read, "programs: tidelight --root\n"};
  const FileText switchedOff{FileText::State::Read, "programs: - tidelight --root\n"};
  const FileText unreadable{FileText::State::Unreadable, {}};
  const Case cases[] = {
      {"added", "/home/alice", fixture, true, 0, true, "Added to the list of hacks in /home/alice/.xscreensaver"},
      {"created", "/home/alice/", missing, true, 0, true, "Wrote /home/alice/.xscreensaver"},
      {"listed", "/home/alice", listed, true, 0, false, "already in the list"},
      {"switched off", "/home/alice", switchedOff, true, 0, false, "switched off"},
      {"unreadable", "/home/alice", unreadable, true, 1, false, "cannot read"},
      {"unwritable", "/home/alice", fixture, false, 1, false, "cannot write"},
      {"no home", "", fixture, true, 1, false, "no home folder"},
  };
  for (const Case& c : cases) {
    std::map<std::string, std::string> written;
    XscreensaverFiles files{
        [&](const std::string& path) {
          if (path == "/home/alice/.xscreensaver") return c.file;
          if (path == kXscreensaverDefaults[0]) return FileText{FileText::State::Read, kAppDefaults};
          return FileText{};
        },
        [&](const std::string& path, const std::string& bytes) {
          if (c.writable) written[path] = bytes;
          return c.writable;
        }};
    std::ostringstream out, err;
    EXPECT_EQ(AddToXscreensaver(c.home, kCommand, files, out, err), c.exitCode) << c.what;
    EXPECT_EQ(written.size(), c.written ? 1u : 0u) << c.what;
    if (c.written) {
      EXPECT_EQ(written.begin()->first, "/home/alice/.xscreensaver") << c.what;
    }
    EXPECT_NE((out.str() + err.str()).find(c.says), std::string::npos) << c.what << ": " << out.str() << err.str();
  }
}

}  // namespace tl
