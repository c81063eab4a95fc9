// The keyboard of a saver running on its own, beside other programs that
// want it: one holding it at the start, and a screen locker.
#include "x11_rig.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <sstream>

#include "backends/x11/x11_connection.h"
#include "startup/linux_program.h"

extern char** environ;

namespace tl::test {
namespace {

using X11Keyboard = X11Test;

TEST_F(X11Keyboard, HeldByAnotherProgramAtTheStartItIsTakenOnceFreed) {
  const ::Window holder = Paint(0, 0, 10, 10, 0);
  ASSERT_EQ(XGrabKeyboard(watcher, holder, False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
  X11Platform p;
  RecordingSink sink;
  auto w = p.OpenWindow({"cover", WindowKind::Popup, {0, 0, 100, 100}}, sink);
  w->Show();
  XUngrabKeyboard(watcher, CurrentTime);
  XSync(watcher, False);
  // Ours once the watcher cannot take it (taken back at once when it can).
  ASSERT_TRUE(PumpUntil(p, [&] {
    const int got = XGrabKeyboard(watcher, root, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    if (got == GrabSuccess) XUngrabKeyboard(watcher, CurrentTime);
    XSync(watcher, False);
    return got == AlreadyGrabbed;
  }));
  XDestroyWindow(watcher, holder);
}

TEST_F(X11Keyboard, AnotherProgramsWindowOverAllOfTheCoverDeactivatesItAndOneOverPartDoesNot) {
  X11Platform p;
  RecordingSink sink;
  auto w = p.OpenWindow({"cover", WindowKind::Popup, {100, 100, 300, 300}}, sink);
  w->Show();
  XSync(p.connection().display, False);
  const ::Window note = Paint(100, 100, 50, 50, 0x808080);  // a notification
  Click(250, 250);  // comes after the notification's map
  ASSERT_TRUE(PumpUntil(p, [&] { return sink.Saw("down 0 150,150"); }));
  EXPECT_FALSE(sink.Saw("deactivated"));
  const ::Window lock = Paint(90, 90, 220, 220, 0x102030);
  ASSERT_TRUE(PumpUntil(p, [&] { return sink.Saw("deactivated"); }));
  XDestroyWindow(watcher, lock);
  XDestroyWindow(watcher, note);
}

TEST_F(X11Keyboard, TheSaverEndsForALockerWhichThenGetsTheKeyboard) {
  setenv("XDG_CONFIG_HOME", "/nonexistent", 1);  // no settings: the defaults, no music
  pid_t locker = 0;
  char* argv[] = {const_cast<char*>(TIDELIGHT_FAKE_LOCKER), nullptr};
  ASSERT_EQ(posix_spawn(&locker, argv[0], nullptr, nullptr, argv, environ), 0);
  {
    X11Platform p;
    std::ostringstream err;
    EXPECT_EQ(RunLinuxSaver(p, {}, false, err), 0);  // returns once the saver ended
  }
  int status = 0;
  ASSERT_EQ(waitpid(locker, &status, 0), locker);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the locker did not get the keyboard";
}

}  // namespace
}  // namespace tl::test
