// Which display system the Linux program draws on.
#include "startup/linux_display.h"

#include <gtest/gtest.h>

namespace tl {
namespace {

struct DisplayCase {
  const char* args;  // --x11, --wayland or nothing
  LinuxEnvironment env;
  LinuxDisplay expect;
  int status;
};

TEST(LinuxDisplay, WaylandWhenACompositorAnswersX11OtherwiseAndAWaylandSessionWithoutOneIsTold) {
  const DisplayCase cases[] = {
      // A plain X session.
      {"", {"", "x11", false, false}, LinuxDisplay::X11, 0},
      {"", {"", "", false, false}, LinuxDisplay::X11, 0},
      // A compositor named and answering; a session that names none (wayland-0).
      {"", {"wayland-1", "wayland", false, true}, LinuxDisplay::Wayland, 0},
      {"", {"", "wayland", false, true}, LinuxDisplay::Wayland, 0},
      {"", {"wayland-1", "", false, true}, LinuxDisplay::Wayland, 0},
      // XWayland by mistake: a Wayland session whose compositor cannot be reached.
      {"", {"", "wayland", false, false}, LinuxDisplay::None, kExitXWaylandSession},
      {"", {"wayland-9", "x11", false, false}, LinuxDisplay::None, kExitXWaylandSession},
      // The options choose.
      {"--x11", {"wayland-1", "wayland", false, true}, LinuxDisplay::X11, 0},
      {"--wayland", {"", "x11", false, true}, LinuxDisplay::Wayland, 0},
      {"--wayland", {"", "", false, false}, LinuxDisplay::None, kExitNoDisplay},
      // xscreensaver's window is an X window, whatever the session.
      {"", {"wayland-1", "wayland", true, true}, LinuxDisplay::X11, 0},
      {"--wayland", {"wayland-1", "wayland", true, true}, LinuxDisplay::X11, 0},
  };
  for (const DisplayCase& c : cases) {
    std::vector<std::string> args;
    if (*c.args) args.push_back(c.args);
    const LinuxOptions o = ParseLinuxOptions(args);
    const DisplayChoice choice = ChooseLinuxDisplay(o, c.env);
    const std::string what = std::string(c.args) + " WAYLAND_DISPLAY=" + c.env.waylandDisplay +
                             " session=" + c.env.sessionType;
    EXPECT_EQ(choice.display, c.expect) << what;
    EXPECT_EQ(choice.exitStatus, c.status) << what;
    EXPECT_EQ(choice.error.empty(), c.expect != LinuxDisplay::None) << what;
    // The compositor is asked only where the answer matters.
    if (c.env.hosted || o.x11 || (c.env.waylandDisplay.empty() && c.env.sessionType != "wayland" && !o.wayland)) {
      EXPECT_FALSE(WantsWaylandProbe(o, c.env)) << what;
    }
  }
}

TEST(LinuxDisplay, TheLaterOfX11AndWaylandWins) {
  EXPECT_TRUE(ParseLinuxOptions({"--x11", "--wayland"}).wayland);
  EXPECT_FALSE(ParseLinuxOptions({"--x11", "--wayland"}).x11);
  EXPECT_TRUE(ParseLinuxOptions({"-wayland", "-x11"}).x11);
  EXPECT_EQ(ParseLinuxOptions({"--wayland=1"}).error, "--wayland takes no value");
}

}  // namespace
}  // namespace tl
