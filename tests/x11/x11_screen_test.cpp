// The x11 back end's screen on a real X server: the desktop copy, RandR's
// monitors, and the host window that stands for the screen.
#include "x11_rig.h"

#include <X11/extensions/Xrandr.h>
#include <X11/extensions/dpms.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <thread>

namespace tl::test {
namespace {

constexpr uint32_t kBack = 0x203040, kSpot = 0xC08010;

class X11Snapshot : public X11Test, public ::testing::WithParamInterface<bool> {};

TEST_P(X11Snapshot, CopiesWhatTheScreenShowsAndBlackOffIt) {
  const ::Window back = Paint(0, 0, 400, 300, kBack);
  const ::Window spot = Paint(100, 50, 20, 10, kSpot);
  X11Options o;
  o.sharedMemory = GetParam();
  X11Platform p(o);
  struct Case {
    int32_t x, y;
    std::vector<std::tuple<int32_t, int32_t, uint32_t>> expect;  // place in the copy, pixel
  };
  const Case cases[] = {
      {90, 45, {{0, 0, kBack}, {10, 5, kSpot}, {29, 14, kSpot}, {30, 15, kBack}}},
      {-5, -3, {{0, 0, 0}, {4, 2, 0}, {5, 3, kBack}, {39, 29, kBack}}},  // off the root: black
  };
  for (const Case& c : cases) {
    Surface copy(40, 30, 0x123456);
    ASSERT_TRUE(p.SnapshotDesktopAt(copy, c.x, c.y));
    for (auto [x, y, pixel] : c.expect) EXPECT_EQ(copy.At(x, y), pixel) << c.x << "," << c.y << " at " << x << "," << y;
  }
  XDestroyWindow(watcher, spot);
  XDestroyWindow(watcher, back);
}

INSTANTIATE_TEST_SUITE_P(SharedAndNot, X11Snapshot, ::testing::Values(true, false));

// Two RandR monitors on the one Xvfb screen: the primary one right of the
// other. The primary one takes Xvfb's output, whose own monitor it replaces.
class X11Monitors : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    if (!watcher) return;
    XRRScreenResources* res = XRRGetScreenResources(watcher, root);
    ASSERT_TRUE(res && res->noutput > 0);
    Add("TL_LEFT", {0, 0, 300, 600}, false, 0);
    Add("TL_MAIN", {300, 0, 1024, 768}, true, res->outputs[0]);
    XRRFreeScreenResources(res);
  }
  void TearDown() override {
    if (watcher) {
      for (const char* name : {"TL_LEFT", "TL_MAIN"})
        XRRDeleteMonitor(watcher, root, XInternAtom(watcher, name, False));
      XSync(watcher, False);
    }
    X11Test::TearDown();
  }
  void Add(const char* name, Rect r, bool primary, RROutput output) {
    XRRMonitorInfo* m = XRRAllocateMonitor(watcher, output ? 1 : 0);
    if (output) m->outputs[0] = output;
    m->name = XInternAtom(watcher, name, False);
    m->primary = primary;
    m->x = r.left;
    m->y = r.top;
    m->width = r.Width();
    m->height = r.Height();
    m->mwidth = r.Width() / 4;
    m->mheight = r.Height() / 4;
    XRRSetMonitor(watcher, root, m);
    XRRFreeMonitors(m);
    XSync(watcher, False);
  }
};

TEST_F(X11Monitors, ThePrimaryIsTheScreenAndTheVirtualScreensOrigin) {
  X11Platform p;
  EXPECT_EQ(p.Width(), 724);
  EXPECT_EQ(p.Height(), 768);
  std::vector<Monitor> monitors = p.Monitors();
  std::sort(monitors.begin(), monitors.end(), [](auto& a, auto& b) { return a.rect.left < b.rect.left; });
  ASSERT_EQ(monitors.size(), 2u);
  EXPECT_EQ(monitors[0].rect, (Rect{-300, 0, 0, 600}));
  EXPECT_FALSE(monitors[0].primary);
  EXPECT_EQ(monitors[1].rect, (Rect{0, 0, 724, 768}));
  EXPECT_TRUE(monitors[1].primary);
  // A cover of the left monitor lands there, and copies from there.
  RecordingSink sink;
  auto w = p.OpenWindow({"left", WindowKind::Popup, monitors[0].rect}, sink);
  int x = 0, y = 0;
  ::Window child = 0;
  XTranslateCoordinates(watcher, static_cast<::Window>(w->Handle()), root, 0, 0, &x, &y, &child);
  EXPECT_EQ(std::pair(x, y), std::pair(0, 0));
  const ::Window spot = Paint(0, 0, 8, 8, kSpot);
  Surface copy(4, 4);
  ASSERT_TRUE(p.SnapshotDesktopAt(copy, -300, 0));
  EXPECT_EQ(copy.At(3, 3), kSpot);
  XDestroyWindow(watcher, spot);
}

TEST_F(X11Test, AHostThatChangesSizeIsToldAndReadAgain) {
  const ::Window host = Paint(10, 10, 200, 150, 0);
  X11Options o;
  o.host = host;
  X11Platform p(o);
  RecordingSink sink;
  auto w = p.OpenWindow({"Tidelight_Main", WindowKind::Popup, {0, 0, 200, 150}}, sink);
  p.PumpMessages();
  XResizeWindow(watcher, host, 320, 100);
  XSync(watcher, False);
  ASSERT_TRUE(PumpUntil(p, [&] { return sink.Saw("monitors"); }));
  EXPECT_EQ(std::pair(p.Width(), p.Height()), std::pair(320, 100));
  // A move alone changes nothing the screen answers.
  sink.events.clear();
  XMoveWindow(watcher, host, 30, 30);
  XResizeWindow(watcher, host, 320, 101);
  XSync(watcher, False);
  ASSERT_TRUE(PumpUntil(p, [&] { return sink.Saw("monitors"); }));
  EXPECT_EQ(std::count(sink.events.begin(), sink.events.end(), "monitors"), 1);
  XDestroyWindow(watcher, host);
}

TEST_F(X11Test, TheDisplaysPowerIsToldWhenItGoesOffAndOnAgain) {
  int event = 0, error = 0;
  if (!DPMSQueryExtension(watcher, &event, &error) || !DPMSCapable(watcher))
    GTEST_SKIP() << "the server has no DPMS";
  DPMSEnable(watcher);
  X11Platform p;
  RecordingSink sink;
  auto w = p.OpenWindow({"Tidelight_Main", WindowKind::Popup, {0, 0, 64, 48}}, sink);
  DPMSForceLevel(watcher, DPMSModeOff);
  XSync(watcher, False);
  const bool off = PumpUntil(p, [&] { return sink.Saw("power off"); });
  DPMSForceLevel(watcher, DPMSModeOn);
  XSync(watcher, False);
  EXPECT_TRUE(off);
  EXPECT_TRUE(PumpUntil(p, [&] { return sink.Saw("power on"); }));
  EXPECT_EQ(std::count(sink.events.begin(), sink.events.end(), "power off"), 1);
}

TEST_F(X11Test, AHostWindowIsTheWholeScreenAndKeepsTheInput) {
  const ::Window host = Paint(50, 60, 200, 150, 0);
  Paint(0, 0, 5, 5, kSpot, host);
  X11Options o;
  o.host = host;
  X11Platform p(o);
  ASSERT_TRUE(p.Hosted());
  EXPECT_EQ(std::pair(p.Width(), p.Height()), std::pair(200, 150));
  EXPECT_TRUE(p.Monitors().empty());
  RecordingSink sink;
  auto w = p.OpenWindow({"Tidelight_Main", WindowKind::Popup, {0, 0, 200, 150}}, sink);
  Drawn(p);
  ::Window parentOf = 0, rootOf = 0, *children = nullptr;
  unsigned count = 0;
  XQueryTree(watcher, static_cast<::Window>(w->Handle()), &rootOf, &parentOf, &children, &count);
  XFree(children);
  EXPECT_EQ(parentOf, host);
  XWindowAttributes a{};
  XGetWindowAttributes(watcher, static_cast<::Window>(w->Handle()), &a);
  EXPECT_FALSE(a.override_redirect);
  EXPECT_EQ(a.your_event_mask & (ButtonPressMask | KeyPressMask), 0);
  // Without a desktop helper the copy is what the screen shows at the host.
  Surface copy(200, 150);
  ASSERT_TRUE(p.SnapshotDesktop(copy));
  EXPECT_EQ(copy.At(4, 4), kSpot);
  EXPECT_EQ(copy.At(5, 5), 0u);
  XDestroyWindow(watcher, host);
}

TEST_F(X11Test, ADesktopHelperDrawsTheHostedCopy) {
  const ::Window host = Paint(0, 0, 120, 90, 0);
  X11Options o;
  o.host = host;
  o.desktopHelper = TIDELIGHT_FAKE_DESKTOP_HELPER;
  X11Platform p(o);
  Surface copy(120, 90);
  ASSERT_TRUE(p.SnapshotDesktop(copy));
  EXPECT_EQ(copy.At(0, 0), 0x5A6B7Cu);
  EXPECT_EQ(copy.At(119, 89), 0x5A6B7Cu);
  o.desktopHelper = "/nonexistent/helper";
  X11Platform q(o);
  ASSERT_TRUE(q.SnapshotDesktop(copy)) << "falls back to the root";
}

// Waits for `pid`, one of our children, to end; false when it does not
// within the bound (for liveness only).
bool Reaped(pid_t pid, int& status) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

TEST_F(X11Test, ADesktopHelperRunsInAGroupOfItsOwnAndEndsWithTheProgram) {
  const ::Window host = Paint(0, 0, 40, 30, 0);
  const std::string pidFile = "/tmp/tidelight-helper-" + std::to_string(getpid());
  std::remove(pidFile.c_str());
  // The helper, orphaned when the program ends, becomes ours to reap.
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  const pid_t program = fork();
  ASSERT_GE(program, 0);
  if (program == 0) {
    setenv("FAKE_HELPER_PIDFILE", pidFile.c_str(), 1);
    X11Options o;
    o.host = host;
    o.desktopHelper = TIDELIGHT_FAKE_DESKTOP_HELPER;
    X11Platform p(o);
    Surface copy(40, 30);
    p.SnapshotDesktop(copy);  // waits for the helper, which hangs
    std::_Exit(0);
  }
  pid_t helper = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!(std::ifstream(pidFile) >> helper) && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_GT(helper, 0) << "the helper never ran";
  EXPECT_EQ(getpgid(helper), helper);
  kill(program, SIGTERM);
  int status = 0;
  ASSERT_TRUE(Reaped(program, status));
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "the program ends as the signal has it";
  ASSERT_TRUE(Reaped(helper, status)) << "the helper outlived the program";
  EXPECT_TRUE(WIFSIGNALED(status));
  prctl(PR_SET_CHILD_SUBREAPER, 0);
  std::remove(pidFile.c_str());
  XDestroyWindow(watcher, host);
}

TEST_F(X11Test, AHostThatDoesNotExistIsNoScreen) {
  X11Options o;
  o.host = 0x7FFFFFF;
  X11Platform p(o);
  EXPECT_TRUE(p.Connected());
  EXPECT_FALSE(p.Hosted());
}

}  // namespace
}  // namespace tl::test
