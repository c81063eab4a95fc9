// The x11 back end's connection on a real X server: errors nobody expected
// said once, a lost connection ending the program with a message.
#include "x11_rig.h"

#include <sched.h>
#include <unistd.h>

#include <cstdio>

#include "backends/x11/x11_connection.h"

namespace tl::test {
namespace {

// Each case runs in a fresh process of its own: what is said once is said
// once per process.
class X11Connection : public X11Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    X11Test::SetUp();
  }
};

TEST_F(X11Connection, TheFirstUnexpectedErrorIsSaidOnceWithItsRequest) {
  EXPECT_EXIT(
      {
        X11Platform p;
        Display* d = p.connection().display;
        ::testing::internal::CaptureStderr();
        {
          x11::ErrorTrap trap(d);  // an error asked about is the caller's
          XMapWindow(d, 0x7FFFFFD);
          if (!trap.Failed()) std::_Exit(3);
        }
        XUnmapWindow(d, 0x7FFFFFE);
        XMapWindow(d, 0x7FFFFFF);
        XSync(d, False);
        const std::string said = ::testing::internal::GetCapturedStderr();
        std::fputs(said.c_str(), stderr);
        std::_Exit(std::count(said.begin(), said.end(), '\n') == 1 ? 0 : 4);
      },
      ::testing::ExitedWithCode(0),
      "^tidelight: X error: BadWindow .* in X_UnmapWindow \\(resource 0x7fffffe\\)\n$");
}

TEST_F(X11Connection, ALostConnectionEndsTheProgramWithAMessage) {
  EXPECT_EXIT(
      {
        X11Platform p;
        RecordingSink sink;
        auto w = p.OpenWindow({"doomed", WindowKind::Popup, {0, 0, 10, 10}}, sink);
        XSync(p.connection().display, False);
        // The server drops the client that owns the window.
        XKillClient(watcher, static_cast<XID>(w->Handle()));
        XSync(watcher, False);
        p.RunMessageLoop();
        std::_Exit(5);
      },
      ::testing::ExitedWithCode(1), "tidelight: lost the connection to the X server");
}

TEST_F(X11Connection, InAnotherIpcNamespaceNothingIsSharedAndThePixelsStillShow) {
  if (geteuid() != 0) GTEST_SKIP() << "a namespace of one's own takes root";
  EXPECT_EXIT(
      {
        // The server's segment numbers name other segments here, or none.
        if (unshare(CLONE_NEWIPC) != 0) std::_Exit(3);
        X11Platform p;
        if (p.SharedMemory()) std::_Exit(4);
        RecordingSink sink;
        auto w = p.OpenWindow({"apart", WindowKind::Popup, {0, 0, 1024, 512}}, sink);
        w->Show();
        Surface pixels;
        pixels.Resize(1024, 512, 0, PixelPlace::Shown);
        for (int32_t y = 0; y < 512; ++y)
          for (int32_t x = 0; x < 1024; ++x) pixels.At(x, y) = Rgb(uint8_t(x), uint8_t(y), 7);
        w->Present(pixels, pixels.Bounds());
        XSync(p.connection().display, False);
        for (auto [x, y] : {std::pair{0, 0}, {300, 200}, {1023, 511}})
          if (ScreenPixel(x, y) != pixels.At(x, y)) std::_Exit(5);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace tl::test
