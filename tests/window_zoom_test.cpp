// The window zoom animation: rectangles handed to the caption animation.
#include <gtest/gtest.h>

#include "backends/headless/headless_platform.h"
#include "shared/window_zoom.h"

namespace tl {
namespace {

struct Zoom : ::testing::Test {
  HeadlessPlatform p;
  BaseModule b;
  WindowEvents sink;
  std::unique_ptr<Window> w = p.OpenWindow({"<Tidelight>", WindowKind::Dialog, {300, 200, 700, 500}}, sink);
  std::string Handle() const { return std::to_string(w->Handle()); }
};

TEST_F(Zoom, OpensFromAndClosesToThePointRecordedAtLoad) {
  p.cursorX = 40;
  p.cursorY = 50;
  RecordCursorPosition(p, b);
  EXPECT_EQ(b.LastApiResult, 1);
  ZoomFromCursor(p, b, w->Handle());
  p.cursorX = 900;  // moved before closing: the closing animation still ends at the recorded point
  ZoomToCursor(p, b, w->Handle());
  EXPECT_EQ(p.calls[p.calls.size() - 3], "AnimateCaption " + Handle() + " 40,50,40,50 -> 300,200,700,500");
  EXPECT_EQ(p.calls.back(), "AnimateCaption " + Handle() + " 300,200,700,500 -> 40,50,40,50");
}

TEST_F(Zoom, AnUnreadablePointerGivesTheScreensCornerAndAMissingWindowAZeroRectangle) {
  b.CursorX = 7;
  p.cursorReadable = false;
  RecordCursorPosition(p, b);
  EXPECT_EQ(b.LastApiResult, 0);
  EXPECT_EQ(b.CursorX, 0);
  ZoomFromCursor(p, b, w->Handle());
  EXPECT_EQ(p.calls.back(), "AnimateCaption " + Handle() + " 0,0,0,0 -> 300,200,700,500");
  ZoomToCursor(p, b, 4242);
  EXPECT_EQ(p.calls.back(), "AnimateCaption 4242 0,0,0,0 -> 0,0,0,0");
}

TEST_F(Zoom, ACoordinateBeyondSixteenBitsLeavesItsValue) {
  b.CursorX = 11;
  p.cursorX = 40000;
  p.cursorY = -3;
  RecordCursorPosition(p, b);
  EXPECT_EQ(b.CursorX, 11);
  EXPECT_EQ(b.CursorY, -3);
}

}  // namespace
}  // namespace tl
