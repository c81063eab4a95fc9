#include "saver/saver_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "backends/headless/headless_media.h"
#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"
#include "fade_levels.h"

namespace tl {
namespace {

struct Saver {
  HeadlessPlatform p;
  HeadlessMedia& media = p.media;
  BaseModule base;
  std::unique_ptr<Tidelight_S> s;

  explicit Saver(int16_t depth = 24, int32_t speed = 10, std::string args = "/s") {
    p.screenWidth = 64;
    p.screenHeight = 48;
    p.desktop.Resize(64, 48);
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x) p.desktop.At(x, y) = Rgb(100 + x, 50 + y, 200);
    p.SetArguments(std::move(args));
    base.settings.FadeDepth = depth;
    base.settings.FadeSpeed = speed;
  }
  void Load() {
    s = std::make_unique<Tidelight_S>(p, base);
    s->Load();
  }
  HeadlessWindow& Window() { return *p.FindWindow("Tidelight_Main"); }
  // Runs the message loop until the fade has finished `steps` more steps.
  void Steps(int steps) {
    for (int i = 0; i < steps; ++i) {
      const int16_t before = s->FadeLevel;
      for (int guard = 0; guard < 1000 && s->FadeLevel == before && !p.ended; ++guard)
        p.Advance(1);
      while (base.TransitionRunning && !p.ended) p.Advance(1);
    }
  }
  bool ScreenIsLevel(int level) {
    for (int32_t y = 0; y < 48; ++y)
      for (int32_t x = 0; x < 64; ++x)
        if (Window().screen.At(x, y) != Faded(p.desktop.At(x, y), level)) return false;
    return true;
  }
};

TEST(Saver, LoadSnapshotsTheDesktopBeforeShowingAndCoversTheScreen) {
  Saver t;
  t.Load();
  auto& w = t.Window();
  EXPECT_EQ(w.spec.rect, (Rect{0, 0, 64, 48}));
  EXPECT_EQ(w.spec.kind, WindowKind::Popup);
  EXPECT_TRUE(w.shown);
  EXPECT_TRUE(w.topmost);
  const auto& c = t.p.calls;
  const auto at = [&](const std::string& s) { return std::find(c.begin(), c.end(), s) - c.begin(); };
  EXPECT_LT(at("SnapshotDesktop"), at("Show Tidelight_Main"));
  EXPECT_LT(at("Show Tidelight_Main"), at("SetTopmost Tidelight_Main"));
  EXPECT_TRUE(t.ScreenIsLevel(256));
  EXPECT_TRUE(t.s->TimerEnabled(Tidelight_S::kTimer3));
  EXPECT_FALSE(t.s->TimerEnabled(Tidelight_S::kTimer1));
  EXPECT_FALSE(t.s->TimerEnabled(Tidelight_S::kTimer2));
  EXPECT_TRUE(t.media.Commands().empty());
  EXPECT_TRUE(t.p.messageBoxes.empty());
}

TEST(Saver, EachStepShowsTheSnapshotAtTheNextLevelAndTurnsAtBothEnds) {
  Saver t(100, 50);
  t.Load();
  const int expected[] = {156, 56, 1, 101, 201, 301, 401, 501, 511, 411};
  for (int level : expected) {
    t.Steps(1);
    ASSERT_EQ(t.s->FadeLevel, level);
    // Every step starts again from the snapshot, so nothing accumulates.
    EXPECT_TRUE(t.ScreenIsLevel(level)) << level;
  }
}

TEST(Saver, TicksDuringARevealNeverStartAnotherStep) {
  Saver t(24, 1);  // one circle a pass: each reveal lasts many frames
  t.Load();
  int steps = 0, skipped = 0, seenInReveal = 0;
  FadeState last{t.s->FadeLevel, t.s->FadeDown};
  // Timer3 keeps ticking while each reveal pumps (these probes run there
  // too); a step started inside another would show as a skipped level.
  for (uint64_t ms = 20; ms < 20000; ms += 7)
    t.p.At(ms, [&] { seenInReveal += t.base.TransitionRunning; });
  for (int ms = 0; ms < 20000; ms += 5) {
    t.p.Advance(5);
    if (t.s->FadeLevel != last.level) {
      ++steps;
      const FadeState expected = MoveFade(last, 24);
      skipped += expected.level != t.s->FadeLevel;
      last = {t.s->FadeLevel, t.s->FadeDown};
      EXPECT_TRUE(t.ScreenIsLevel(last.level)) << last.level;
    }
  }
  EXPECT_GT(steps, 12);  // past the turn at level 1
  EXPECT_EQ(skipped, 0);
  EXPECT_GT(seenInReveal, 100);
}

TEST(Saver, TheFadeTickIsHeldBackWhileAStepRunsAndResumesAfter) {
  Saver t(24, 1);
  t.Load();
  int probes = 0, tickingInStep = 0;
  for (uint64_t ms = 20; ms < 3000; ms += 7)
    t.p.At(ms, [&] {
      if (!t.base.TransitionRunning) return;
      ++probes;
      tickingInStep += t.Window().timers.count(Tidelight_S::kTimer3) != 0;
    });
  t.p.Advance(3000);
  EXPECT_GT(probes, 50);
  EXPECT_EQ(tickingInStep, 0);
  // Held back, not disabled: the fade goes on.
  EXPECT_TRUE(t.s->TimerEnabled(Tidelight_S::kTimer3));
  EXPECT_EQ(t.Window().timers.count(Tidelight_S::kTimer3), 1u);
  EXPECT_LT(t.s->FadeLevel, 232);
}

TEST(Saver, AStepTakesTheSameTimeOnEveryRefreshRate) {
  // A 60 Hz display's pace everywhere: the faster ones skip refreshes.
  std::vector<uint64_t> at60;
  for (int32_t hz : {60, 75, 144, 240}) {
    SCOPED_TRACE(hz);
    Saver t(24, 4);
    t.p.refreshHz = hz;
    t.Load();
    std::vector<uint64_t> steps;
    for (int i = 0; i < 4; ++i) {
      const uint64_t start = t.p.NowMs();
      t.Steps(1);
      steps.push_back(t.p.NowMs() - start);
    }
    if (hz == 60) at60 = steps;
    for (size_t i = 0; i < steps.size(); ++i) {
      EXPECT_GT(steps[i], 100u);  // a reveal of several passes
      EXPECT_LE(std::max(steps[i], at60[i]) - std::min(steps[i], at60[i]), 17u) << "step " << i;
    }
  }
}

TEST(Saver, ADepthOfZeroKeepsTheSnapshotForEver) {
  Saver t(0, 10);
  t.Load();
  const size_t presents = t.Window().presented.size();
  t.p.Advance(5000);
  EXPECT_EQ(t.s->FadeLevel, 256);
  EXPECT_EQ(t.Window().presented.size(), presents);
  EXPECT_TRUE(t.ScreenIsLevel(256));
}

TEST(Saver, ClicksAndKeysEndItMouseMovesDoNot) {
  for (int32_t key : {vk::kShift, vk::kControl, 0x41}) {
    Saver t;
    t.Load();
    t.p.MoveMouse(t.Window(), 5, 5);
    t.p.MoveMouse(t.Window(), 60, 40);
    t.p.Advance(50);
    ASSERT_FALSE(t.p.ended);
    t.p.PressKey(t.Window(), key);
    t.p.Advance(50);
    EXPECT_TRUE(t.p.ended) << key;
    EXPECT_EQ(t.p.cursorCount, 1);  // the one hide at start-up undone
    EXPECT_EQ(t.base.CursorCount, 1);
    EXPECT_EQ(t.s->Effects, nullptr);
  }
  Saver t(24, 10, "");  // started with no arguments: the cursor stays alone
  t.Load();
  t.p.Click(t.Window(), 3, 3);
  t.p.Advance(20);
  EXPECT_TRUE(t.p.ended);
  EXPECT_EQ(std::count(t.p.calls.begin(), t.p.calls.end(), "ShowCursor 1"), 0);
}

TEST(Saver, TheSystemsNoticesAsTheScreenSaverConventionHasThem) {
  Saver t;
  t.s = std::make_unique<Tidelight_S>(t.p, t.base);
  // Before the load shows the window (a message of the engine may take the
  // activation and give it away), a deactivation ends nothing.
  t.s->OnAppActivation(false);
  t.s->Load();
  EXPECT_FALSE(t.p.ended);
  // The idle timer's screen saver is refused while this one runs.
  EXPECT_FALSE(t.Window().events.OnScreenSaverRequest());
  t.p.Notify(t.Window(), [](WindowEvents& e) { e.OnAppActivation(true); });
  t.p.Advance(50);
  EXPECT_FALSE(t.p.ended);
  // Another program taking the foreground ends it as input does.
  t.p.Notify(t.Window(), [](WindowEvents& e) { e.OnAppActivation(false); });
  t.p.Advance(10);
  EXPECT_TRUE(t.p.ended);
  EXPECT_EQ(t.p.cursorCount, 1);
  EXPECT_EQ(t.p.lateCalls, 0);
}

TEST(Saver, WhileTheDisplayIsOffNoStepRunsTheMusicGoesOnAndTheFadeResumes) {
  Saver t(24, 10);
  t.base.settings.MusicKind = 2;
  t.base.settings.MusicFile = "C:\tide.mp3";
  t.Load();
  t.Steps(2);
  ASSERT_EQ(t.s->FadeLevel, 208);
  t.p.Notify(t.Window(), [](WindowEvents& e) { e.OnDisplayPower(false); });
  t.p.Advance(1);
  const size_t presents = t.Window().presented.size(), commands = t.media.Commands().size();
  t.p.Advance(10000);
  EXPECT_EQ(t.s->FadeLevel, 208);
  EXPECT_EQ(t.Window().presented.size(), presents);
  EXPECT_EQ(t.Window().timers.count(Tidelight_S::kTimer3), 0u);  // nothing wakes it for the fade
  EXPECT_GT(t.media.Commands().size(), commands + 5);           // the music's upkeep goes on
  t.p.Notify(t.Window(), [](WindowEvents& e) { e.OnDisplayPower(true); });
  t.Steps(1);
  EXPECT_EQ(t.s->FadeLevel, 184);
  EXPECT_TRUE(t.ScreenIsLevel(184));
}

TEST(Saver, ALockedOrEndingSessionEndsItAndSleepStopsTheMusic) {
  for (SessionNotice notice : {SessionNotice::Locked, SessionNotice::Ending, SessionNotice::Suspending}) {
    SCOPED_TRACE(static_cast<int>(notice));
    Saver t(24, 10);
    t.base.settings.MusicKind = 2;
    t.base.settings.MusicFile = "C:\\tide.mp3";
    t.Load();
    t.Steps(1);
    t.p.Notify(t.Window(), [notice](WindowEvents& e) { e.OnSessionNotice(notice); });
    t.p.Advance(1);
    const auto commands = t.media.Commands();
    EXPECT_EQ(std::vector<std::string>(commands.end() - 2, commands.end()),
              (std::vector<std::string>{"stop MP3Play", "close MP3Play"}));
    EXPECT_EQ(t.p.ended, notice != SessionNotice::Suspending);
    if (t.p.ended) continue;
    // Asleep, the music is not started again; the fade goes on.
    t.Steps(1);
    EXPECT_EQ(t.s->FadeLevel, 208);
    EXPECT_EQ(t.media.Commands().size(), commands.size());
  }
}

TEST(Saver, InputDuringARevealEndsItAtOnceHalfRevealed) {
  Saver t(100, 1);
  t.Load();
  bool inReveal = false;
  // The first step starts at 10 ms; a few frames later its reveal is running.
  t.p.At(100, [&] {
    inReveal = t.base.TransitionRunning;
    t.p.Click(t.Window(), 1, 1);
  });
  t.p.Advance(200);
  EXPECT_TRUE(inReveal);
  EXPECT_TRUE(t.p.ended);
  EXPECT_FALSE(t.ScreenIsLevel(256));
  EXPECT_FALSE(t.ScreenIsLevel(156));
}

TEST(Saver, MusicIsChosenByKindAndTheUpperCasedEnding) {
  {
    Saver t;
    t.base.settings.MusicKind = 2;
    t.base.settings.MusicFile = "C:\\My Music\\tide.mp3";
    t.Load();
    EXPECT_TRUE(t.s->TimerEnabled(Tidelight_S::kTimer1));
    ASSERT_FALSE(t.media.Commands().empty());
    EXPECT_EQ(t.media.Commands()[0],
              "open \"C:\\My Music\\tide.mp3\" type MPEGVideo Alias MP3Play");
    t.p.Click(t.Window(), 1, 1);
    t.p.Advance(10);
    const auto c = t.media.Commands();
    EXPECT_EQ(std::vector<std::string>(c.end() - 2, c.end()),
              (std::vector<std::string>{"stop MP3Play", "close MP3Play"}));
    EXPECT_FALSE(t.s->TimerEnabled(Tidelight_S::kTimer1));
  }
  {
    Saver t;
    t.base.settings.MusicKind = 2;
    t.base.settings.MusicFile = "C:\\sea.Wav";
    t.Load();
    EXPECT_TRUE(t.media.soundPlaying.has_value());
    EXPECT_FALSE(t.s->TimerEnabled(Tidelight_S::kTimer1));
    t.p.PressKey(t.Window(), vk::kEscape);
    t.p.Advance(10);
    EXPECT_FALSE(t.media.soundPlaying.has_value());
  }
  for (const char* other : {"C:\\a.mpeg", "C:\\a.mp3 ", ""}) {
    Saver t;
    t.base.settings.MusicKind = 2;
    t.base.settings.MusicFile = other;
    t.Load();
    EXPECT_TRUE(t.media.Commands().empty()) << other;
    EXPECT_TRUE(t.media.sounds.empty()) << other;
    EXPECT_FALSE(t.s->TimerEnabled(Tidelight_S::kTimer1));
  }
}

TEST(Saver, TheCdIsClosedAtTheEndOnlyWhileItIsStillSupervised) {
  {
    Saver t;
    t.base.settings.MusicKind = 1;
    t.Load();
    EXPECT_TRUE(t.s->TimerEnabled(Tidelight_S::kTimer2));
    t.p.Advance(450);  // two supervision ticks
    EXPECT_TRUE(t.s->TimerEnabled(Tidelight_S::kTimer2));
    t.p.Click(t.Window(), 1, 1);
    t.p.Advance(10);
    const auto c = t.media.Commands();
    EXPECT_EQ(std::vector<std::string>(c.end() - 2, c.end()),
              (std::vector<std::string>{"stop cdaudio", "close cdaudio"}));
  }
  {
    Saver t;
    t.base.settings.MusicKind = 1;
    t.media.Cd().present = false;  // no drive
    t.Load();
    t.p.Advance(250);
    EXPECT_FALSE(t.s->TimerEnabled(Tidelight_S::kTimer2));
    const size_t sent = t.media.Commands().size();
    t.p.Click(t.Window(), 1, 1);
    t.p.Advance(10);
    EXPECT_EQ(t.media.Commands().size(), sent);  // the drive is left alone
    EXPECT_TRUE(t.p.messageBoxes.empty());
  }
}

// The cursor rule at the end reads the mode letter as start-up does: the
// second character, whatever the first one is.
TEST(Saver, TheCursorComesBackAfterANonAsciiFirstCharacter) {
  Saver t(24, 10, "\xEF\xBC\x8Ds");  // full-width hyphen, then s
  t.Load();
  t.p.Click(t.Window(), 2, 2);
  t.p.Advance(10);
  EXPECT_TRUE(t.p.ended);
  EXPECT_EQ(std::count(t.p.calls.begin(), t.p.calls.end(), "ShowCursor 1"), 1);
  EXPECT_EQ(t.base.CursorCount, 1);
}

// On a screen the engine refuses, its one message is all the user sees: the
// snapshot stays, the music plays, and a click or key ends the saver.
TEST(Saver, AScreenTheEngineRefusesShowsOneMessageAndKeepsTheSnapshot) {
  struct Case {
    int32_t depth;
    UiLanguage language;
    const char *title, *text;
  };
  for (const Case& c : {Case{24, UiLanguage::Japanese, "clsASM", "Not 16 or 24-bit color setting"},
                        Case{8, UiLanguage::English, "Tidelight",
                             "This screen's color setting is not supported. Choose 16-bit or 32-bit color."}}) {
    const int32_t depth = c.depth;
    Saver t;
    t.base.language = c.language;
    t.p.bitsPerPixel = depth;
    t.base.settings.MusicKind = 2;
    t.base.settings.MusicFile = "C:\\tide.mp3";
    t.Load();
    t.p.Advance(1000);
    ASSERT_EQ(t.p.messageBoxes.size(), 1u) << depth;
    EXPECT_EQ(t.p.messageBoxes[0].title, c.title);
    EXPECT_EQ(t.p.messageBoxes[0].text, c.text);
    EXPECT_FALSE(t.p.ended);
    EXPECT_EQ(t.s->FadeLevel, 256);
    EXPECT_TRUE(t.ScreenIsLevel(256));
    EXPECT_EQ(t.media.devices["mpegvideo"].mode, "playing") << depth;
    t.p.PressKey(t.Window(), vk::kSpace);
    t.p.Advance(10);
    EXPECT_TRUE(t.p.ended);
    EXPECT_EQ(t.p.messageBoxes.size(), 1u);
    EXPECT_EQ(t.p.lateCalls, 0);
  }
}

}  // namespace
}  // namespace tl
