// The saver on desktops of one, two and three monitors: every monitor
// covered from the first frame by its own snapshot, faded in step with the
// primary screen, and input on any of them ending the saver.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"
#include "fade_levels.h"
#include "saver/saver_window.h"
#include "toolkit/monitors.h"

namespace tl {
namespace {

Monitor At(Rect r, int32_t dpi = 96) { return {r, false, dpi, dpi}; }
// A monitor the platform names, as it does from one layout to the next.
Monitor Named(uint64_t id, Rect r) { return {r, false, 96, 96, id}; }

struct Layout {
  const char* name;
  std::vector<Monitor> monitors;  // the first is primary
};

const Layout kLayouts[] = {
    {"one", {At({0, 0, 64, 48})}},
    {"side by side", {At({0, 0, 64, 48}), At({64, 0, 144, 60})}},
    {"stacked above", {At({0, 0, 64, 48}), At({0, -40, 50, 0})}},
    {"three, negative and mixed DPI",
     {At({0, 0, 64, 48}), At({-72, -10, 0, 50}, 144), At({64, 8, 104, 38}, 120)}},
};

struct MultiSaver {
  HeadlessPlatform p;
  BaseModule base;
  std::unique_ptr<Tidelight_S> s;

  explicit MultiSaver(const std::vector<Monitor>& layout, int16_t depth = 100, int32_t speed = 3) {
    SetMonitors(layout);
    p.SetArguments("/s");
    base.settings.FadeDepth = depth;
    base.settings.FadeSpeed = speed;
  }
  void Load() {
    s = std::make_unique<Tidelight_S>(p, base);
    s->Load();
  }
  // Where the virtual screen's origin lies on the desktop: another primary
  // moves it, and the desktop stays where it is.
  int32_t originX = 0, originY = 0;
  // Every place of the desktop has its own colour, whatever the layout.
  void SetMonitors(const std::vector<Monitor>& layout) {
    p.SetMonitors(layout);
    for (int32_t y = 0; y < p.desktop.Height(); ++y)
      for (int32_t x = 0; x < p.desktop.Width(); ++x) {
        const int32_t vx = x + p.desktopLeft + originX, vy = y + p.desktopTop + originY;
        p.desktop.At(x, y) = Rgb(uint8_t(30 + vx * 3), uint8_t(20 + vy * 2), uint8_t(vx * 7 + vy));
      }
  }
  uint32_t DesktopAt(int32_t vx, int32_t vy) const {
    return p.desktop.At(vx - p.desktopLeft, vy - p.desktopTop);
  }
  // Every monitor's window with the monitor it covers, the primary first.
  std::vector<std::pair<HeadlessWindow*, Rect>> Covered() {
    std::vector<std::pair<HeadlessWindow*, Rect>> out;
    for (HeadlessWindow* w : p.Windows()) out.emplace_back(w, w->spec.rect);
    return out;
  }
  // Whether every pixel of every window passes `ok(shown, snapshot)`.
  bool EveryPixel(const std::function<bool(uint32_t, uint32_t)>& ok) {
    for (auto [w, r] : Covered())
      for (int32_t y = 0; y < r.Height(); ++y)
        for (int32_t x = 0; x < r.Width(); ++x)
          if (!ok(w->screen.At(x, y), DesktopAt(r.left + x, r.top + y))) return false;
    return true;
  }
  bool AllAtLevel(int level) {
    return EveryPixel([&](uint32_t shown, uint32_t snap) { return shown == Faded(snap, level); });
  }
  void Steps(int steps) {
    for (int i = 0; i < steps; ++i) {
      const int16_t before = s->FadeLevel;
      for (int guard = 0; guard < 1000 && s->FadeLevel == before && !p.ended; ++guard) p.Advance(1);
      while (base.TransitionRunning && !p.ended) p.Advance(1);
    }
  }
};

TEST(Monitors, OthersToCoverSkipThePrimaryEmptyAndOverlappingOnes) {
  const Rect primary{0, 0, 100, 80};
  const std::vector<Monitor> reported = {
      {{0, 0, 100, 80}, true, 96, 96},     // the primary itself
      {{100, 0, 200, 80}, false, 96, 96},  // right of it
      {{0, 0, 100, 80}, false, 96, 96},    // reported again at the origin
      {{10, 10, 60, 50}, false, 96, 96},   // inside the primary
      {{150, 10, 250, 90}, false, 96, 96}, // overlaps the one on the right: covered too
      {{160, 20, 240, 80}, false, 96, 96}, // inside the one before
      {{-50, 0, -50, 80}, false, 96, 96},  // no area
      {{-100, -80, 0, 0}, false, 144, 144},
      {{0, 0, 128, 96}, false, 96, 96},    // a cloned projector larger than the primary
  };
  const auto others = OtherMonitorsToCover(reported, primary);
  ASSERT_EQ(others.size(), 4u);
  EXPECT_EQ(others[0].rect, (Rect{100, 0, 200, 80}));
  EXPECT_EQ(others[1].rect, (Rect{150, 10, 250, 90}));
  EXPECT_EQ(others[2].rect, (Rect{-100, -80, 0, 0}));
  EXPECT_EQ(others[2].dpiX, 144);
  EXPECT_EQ(others[3].rect, (Rect{0, 0, 128, 96}));
  EXPECT_TRUE(OtherMonitorsToCover({}, primary).empty());
}

TEST(Monitors, EveryWindowIsMadeTopmostAndTheMainOneIsActivatedLast) {
  MultiSaver t(kLayouts[3].monitors);
  t.Load();
  for (HeadlessWindow* w : t.p.Windows()) {
    EXPECT_TRUE(w->spec.topmost) << w->spec.title;
    // Only the main window has a taskbar button; a cover's would raise its
    // monitor's taskbar above it.
    EXPECT_EQ(w->spec.noTaskbarButton, w->spec.title != "Tidelight_Main");
  }
  // The covers show without taking the activation, so the foreground window
  // is the main one, which the system judges full screen by.
  ASSERT_NE(t.p.activeWindow, nullptr);
  EXPECT_EQ(t.p.activeWindow->spec.title, "Tidelight_Main");
  const auto& c = t.p.calls;
  const auto main = std::find(c.begin(), c.end(), "Show Tidelight_Main");
  EXPECT_EQ(std::count(c.begin(), main, "ShowWithoutActivating Tidelight_Monitor"), 2);
  EXPECT_EQ(std::count(c.begin(), c.end(), "Show Tidelight_Monitor"), 0);
}

TEST(Monitors, HeadlessSnapshotsAnyPartOfTheVirtualScreen) {
  MultiSaver t(kLayouts[3].monitors);
  EXPECT_EQ(t.p.desktopLeft, -72);
  EXPECT_EQ(t.p.desktopTop, -10);
  EXPECT_EQ(t.p.Width(), 64);
  Surface part(10, 10);
  ASSERT_TRUE(t.p.SnapshotDesktopAt(part, -75, 45));  // hangs over the edges
  EXPECT_EQ(part.At(0, 0), 0u);                        // left of the desktop
  EXPECT_EQ(part.At(3, 0), t.DesktopAt(-72, 45));
  EXPECT_EQ(part.At(9, 4), t.DesktopAt(-66, 49));
  Surface primary(64, 48);
  ASSERT_TRUE(t.p.SnapshotDesktop(primary));
  EXPECT_EQ(primary.At(0, 0), t.DesktopAt(0, 0));
  EXPECT_EQ(primary.At(63, 47), t.DesktopAt(63, 47));
}

TEST(Monitors, EveryMonitorIsCoveredByItsSnapshotFromTheFirstFrame) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    MultiSaver t(layout.monitors);
    t.Load();
    ASSERT_EQ(t.p.Windows().size(), layout.monitors.size());
    EXPECT_EQ(t.s->Covers().size(), layout.monitors.size() - 1);
    EXPECT_EQ(t.p.Windows()[0]->spec.title, "Tidelight_Main");
    for (size_t i = 0; i < layout.monitors.size(); ++i) {
      HeadlessWindow& w = *t.p.Windows()[i];
      EXPECT_EQ(w.spec.rect, layout.monitors[i].rect);
      EXPECT_EQ(w.spec.kind, WindowKind::Popup);
      EXPECT_TRUE(w.shown);
      EXPECT_TRUE(w.topmost);
    }
    // Every snapshot is taken before any window shows.
    const auto& c = t.p.calls;
    const auto last = std::find_if(c.rbegin(), c.rend(), [](const std::string& s) {
      return s.rfind("SnapshotDesktop", 0) == 0;
    });
    const auto firstShow = std::find_if(c.begin(), c.end(), [](const std::string& s) {
      return s.rfind("Show ", 0) == 0;
    });
    EXPECT_LT(c.rend() - last - 1, firstShow - c.begin());
    EXPECT_TRUE(t.AllAtLevel(256));
  }
}

TEST(Monitors, EveryMonitorFadesInStepAndStaysInTheLevelTableOfItsSnapshot) {
  for (const Layout& layout : kLayouts) {
    SCOPED_TRACE(layout.name);
    MultiSaver t(layout.monitors, 100, 3);
    t.Load();
    // Mid-reveal, each pixel shows its own snapshot at the old or the new
    // level, never anything else.
    int probes = 0, failures = 0;
    FadeState shown{256, true};
    for (uint64_t ms = 15; ms < 3000; ms += 13) {
      t.p.At(ms, [&] {
        if (!t.base.TransitionRunning) return;
        ++probes;
        const int now = t.s->FadeLevel;
        failures += !t.EveryPixel([&](uint32_t px, uint32_t snap) {
          return px == Faded(snap, shown.level) || px == Faded(snap, now);
        });
      });
    }
    for (int level : {156, 56, 1, 101, 201}) {
      t.Steps(1);
      ASSERT_EQ(t.s->FadeLevel, level);
      EXPECT_TRUE(t.AllAtLevel(level)) << level;
      shown = {t.s->FadeLevel, t.s->FadeDown};
    }
    EXPECT_GT(probes, 20);
    EXPECT_EQ(failures, 0);
  }
}

TEST(Monitors, EachRevealGrowsFromItsOwnMonitorsCentre) {
  MultiSaver t(kLayouts[3].monitors, 100, 2);
  t.Load();
  std::vector<size_t> before;
  for (HeadlessWindow* w : t.p.Windows()) before.push_back(w->presented.size());
  // The first thing each window shows after the load is the first pass.
  t.Steps(1);
  for (size_t i = 0; i < t.p.Windows().size(); ++i) {
    HeadlessWindow& w = *t.p.Windows()[i];
    ASSERT_GT(w.presented.size(), before[i]);
    const Rect first = w.presented[before[i]];
    const int32_t cx = w.spec.rect.Width() / 2, cy = w.spec.rect.Height() / 2;
    EXPECT_LE(std::abs((first.left + first.right) / 2 - cx), 1) << i;
    EXPECT_LE(std::abs((first.top + first.bottom) / 2 - cy), 1) << i;
    EXPECT_LE(first.Width(), 4) << i;
  }
}

TEST(Monitors, ThePrimaryShowsTheSameFramesBesideASmallerMonitor) {
  // The cover's reveal ends first and waits, so the primary's frames are
  // those of a single monitor.
  MultiSaver one(kLayouts[0].monitors, 100, 3);
  MultiSaver two({At({0, 0, 64, 48}), At({64, 0, 104, 30})}, 100, 3);
  one.Load();
  two.Load();
  one.Steps(3);
  two.Steps(3);
  EXPECT_EQ(one.p.Windows()[0]->presented, two.p.Windows()[0]->presented);
  EXPECT_EQ(one.p.NowMs(), two.p.NowMs());
  EXPECT_EQ(one.p.framesWaited, two.p.framesWaited);
}

TEST(Monitors, InputOnAnyMonitorEndsTheSaverAndLeavesNothingBehind) {
  const auto& layout = kLayouts[3].monitors;
  for (size_t on = 0; on < layout.size(); ++on) {
    for (bool key : {false, true}) {
      SCOPED_TRACE(testing::Message() << "monitor " << on << (key ? " key" : " click"));
      MultiSaver t(layout, 100, 1);
      t.Load();
      HeadlessWindow* target = t.p.Windows()[on];
      t.p.MoveMouse(*target, 3, 3);
      t.p.Advance(40);
      ASSERT_FALSE(t.p.ended);
      // During a reveal, as the user would.
      bool inReveal = false;
      t.p.At(t.p.NowMs() + 30, [&] {
        inReveal = t.base.TransitionRunning;
        if (key)
          t.p.PressKey(*target, vk::kShift);
        else
          t.p.Click(*target, 3, 3);
      });
      t.p.Advance(100);
      EXPECT_TRUE(inReveal);
      EXPECT_TRUE(t.p.ended);
      EXPECT_EQ(t.p.cursorCount, 1);
      EXPECT_EQ(t.s->Effects, nullptr);
      for (const auto& cover : t.s->Covers()) EXPECT_EQ(cover->Effects, nullptr);
      EXPECT_EQ(t.p.lateCalls, 0);
      t.s.reset();
      EXPECT_TRUE(t.p.Windows().empty());
      EXPECT_TRUE(t.p.openWindows.empty());
    }
  }
}

TEST(Monitors, ChangedMidRunEveryMonitorIsCoveredAndFadesOnFromWhereTheFadeIs) {
  struct Change {
    const char* name;
    std::vector<Monitor> before, after;  // the first is primary
    int32_t moveX = 0, moveY = 0;  // where the new origin lay in the old layout
  };
  const std::vector<Monitor> one = {At({0, 0, 64, 48})};
  const std::vector<Monitor> two = {At({0, 0, 64, 48}), At({64, 0, 144, 60})};
  const Change changes[] = {
      {"plugged in", one, two},
      {"unplugged", two, one},
      {"the other's mode", two, {At({0, 0, 64, 48}), At({64, 0, 128, 40})}},
      {"the primary's mode", two, {At({0, 0, 80, 60}), At({80, 0, 160, 60})}},
      {"a larger clone", one, {At({0, 0, 64, 48}), At({0, 0, 96, 72})}},
      {"three, from the left", two, {At({0, 0, 64, 48}), At({-72, -10, 0, 50}), At({64, 0, 144, 60})}},
      // The primary is another monitor: every place moves with the origin.
      {"the primary unplugged", {Named(1, {0, 0, 64, 48}), Named(2, {64, 0, 144, 60})},
       {Named(2, {0, 0, 80, 60})}, 64, 0},
      {"the primary unplugged, one of its size left",
       {Named(1, {0, 0, 64, 48}), Named(2, {64, 0, 128, 48})}, {Named(2, {0, 0, 64, 48})}, 64, 0},
      {"the other made primary", {Named(1, {0, 0, 64, 48}), Named(2, {64, 0, 128, 48})},
       {Named(2, {0, 0, 64, 48}), Named(1, {-64, 0, 0, 48})}, 64, 0},
      {"the primary unplugged, a third kept",
       {Named(1, {0, 0, 64, 48}), Named(2, {0, -40, 50, 0}), Named(3, {-40, 0, 0, 30})},
       {Named(2, {0, 0, 50, 40}), Named(3, {-40, 40, 0, 70})}, 0, -40},
      {"a new monitor made primary", {Named(1, {0, 0, 64, 48})},
       {Named(3, {0, 0, 64, 48}), Named(1, {0, 48, 64, 96})}, 0, -48},
  };
  for (const Change& c : changes) {
    for (bool inReveal : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << (inReveal ? ", during a reveal" : ""));
      MultiSaver t(c.before, 100, 3);
      t.Load();
      t.Steps(1);
      // The system changes the layout; the saver hears it on its window.
      bool changed = false;
      auto change = [&] {
        changed = true;
        t.originX += c.moveX;
        t.originY += c.moveY;
        t.SetMonitors(c.after);
        t.p.Notify(*t.p.Windows()[0], [](WindowEvents& e) { e.OnMonitorsChanged(); });
      };
      if (inReveal) {
        for (uint64_t ms = t.p.NowMs() + 5; ms < t.p.NowMs() + 2000; ms += 7)
          t.p.At(ms, [&] {
            if (!changed && t.base.TransitionRunning) change();
          });
      } else {
        change();
      }
      t.Steps(1);
      ASSERT_TRUE(changed);
      // Every monitor of the new layout is covered, at the level of the fade.
      ASSERT_EQ(t.s->FadeLevel, 56);
      std::vector<Rect> want, covered;
      for (const Monitor& m : c.after) want.push_back(m.rect);
      for (HeadlessWindow* w : t.p.Windows()) {
        covered.push_back(w->spec.rect);
        EXPECT_TRUE(w->shown);
      }
      EXPECT_EQ(t.p.Windows()[0]->spec.title, "Tidelight_Main");
      EXPECT_EQ(covered[0], want[0]);
      EXPECT_TRUE(std::is_permutation(covered.begin(), covered.end(), want.begin(), want.end()));
      EXPECT_TRUE(t.AllAtLevel(56));
      // And the fade goes on everywhere.
      t.Steps(2);
      EXPECT_EQ(t.s->FadeLevel, 101);
      EXPECT_TRUE(t.AllAtLevel(t.s->FadeLevel));
      EXPECT_EQ(t.p.messageBoxes.size(), 0u);
      t.p.Click(*t.p.Windows().back(), 1, 1);
      t.p.Advance(10);
      EXPECT_TRUE(t.p.ended);
      EXPECT_EQ(t.p.lateCalls, 0);
    }
  }
}

TEST(Monitors, AnEngineRefusingTheScreenLeavesEveryMonitorOnItsSnapshot) {
  MultiSaver t(kLayouts[1].monitors);
  t.p.bitsPerPixel = 8;
  t.Load();
  t.p.Advance(500);
  EXPECT_EQ(t.p.messageBoxes.size(), 1u);  // one message, not one per monitor
  EXPECT_TRUE(t.AllAtLevel(256));
  t.p.Click(*t.p.Windows()[1], 1, 1);
  t.p.Advance(10);
  EXPECT_TRUE(t.p.ended);
}

}  // namespace
}  // namespace tl
