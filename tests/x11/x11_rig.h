#pragma once
// The x11 back end's tests run on a real X server (Xvfb, started for them
// by scripts/lib/x11-run.sh). The rig watches and drives it from a second
// connection, as a user and other programs would: pixels read back, input
// made with the XTEST extension, windows of its own.
// The seam and GoogleTest come before X's headers, whose macros (None,
// Bool, Status) would rename their words.
#include <gtest/gtest.h>

#include "backends/x11/x11_connection.h"
#include "backends/x11/x11_platform.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tl::test {

// What reached a window's event sink, in order.
struct RecordingSink : WindowEvents {
  std::vector<std::string> events;
  void OnTimer(int32_t id) override { events.push_back("timer " + std::to_string(id)); }
  void OnKeyDown(int32_t key) override { events.push_back("key " + std::to_string(key)); }
  void OnButtonDown(MouseButton b, int32_t x, int32_t y) override {
    events.push_back("down " + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void OnButtonUp(MouseButton b, int32_t, int32_t) override { events.push_back("up " + std::to_string(int(b))); }
  void OnMouseMove(int32_t x, int32_t y) override {
    events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void OnDestroyed() override { events.push_back("destroyed"); }
  void OnAppActivation(bool active) override { events.push_back(active ? "activated" : "deactivated"); }
  void OnMonitorsChanged() override { events.push_back("monitors"); }
  void OnDisplayPower(bool on) override { events.push_back(on ? "power on" : "power off"); }
  bool Saw(const std::string& e) const { return std::find(events.begin(), events.end(), e) != events.end(); }
};

class X11Test : public ::testing::Test {
 protected:
  void SetUp() override {
    watcher = XOpenDisplay(nullptr);
    if (!watcher) GTEST_SKIP() << "no X display (run through scripts/lib/x11-run.sh)";
    root = DefaultRootWindow(watcher);
  }
  void TearDown() override {
    if (watcher) XCloseDisplay(watcher);
  }

  // A mapped window of the watcher's filled with one pixel value.
  ::Window Paint(int x, int y, int w, int h, unsigned long pixel, ::Window parent = 0) {
    XSetWindowAttributes a{};
    a.background_pixel = pixel;
    a.override_redirect = True;
    ::Window win = XCreateWindow(watcher, parent ? parent : root, x, y, w, h, 0, CopyFromParent,
                                 InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &a);
    XMapRaised(watcher, win);
    XSync(watcher, False);
    return win;
  }

  // Waits until the server has handled everything the platform sent. The
  // watcher's own sync orders nothing on another connection, so a read of
  // what the platform drew, or a look at its windows, comes after this.
  static void Drawn(X11Platform& p) { XSync(p.connection().display, False); }

  // A pixel of the screen as it shows now (0x00RRGGBB).
  uint32_t ScreenPixel(int x, int y) {
    XImage* image = XGetImage(watcher, root, x, y, 1, 1, AllPlanes, ZPixmap);
    const uint32_t p = static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return p;
  }

  void Click(int x, int y, unsigned button = 1) {
    XTestFakeMotionEvent(watcher, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(watcher, button, True, CurrentTime);
    XTestFakeButtonEvent(watcher, button, False, CurrentTime);
    XSync(watcher, False);
  }
  void Key(KeySym key) {
    const KeyCode code = XKeysymToKeycode(watcher, key);
    XTestFakeKeyEvent(watcher, code, True, CurrentTime);
    XTestFakeKeyEvent(watcher, code, False, CurrentTime);
    XSync(watcher, False);
  }

  // Lets the platform handle what comes until `done`; the bound is for
  // liveness only.
  static bool PumpUntil(X11Platform& p, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      p.WaitForFrame();
    }
    return true;
  }

  Display* watcher = nullptr;
  ::Window root = 0;
};

}  // namespace tl::test
