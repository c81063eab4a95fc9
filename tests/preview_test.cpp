#include <gtest/gtest.h>

#include "saver/preview_window.h"
#include "saver/sample_picture.h"
#include "shared/command_line.h"
#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"

namespace tl {
namespace {

TEST(Preview, HostHandleIsReadFromTheFourthCharacterOn) {
  const std::pair<const char*, int32_t> cases[] = {
      {"/p 1234", 1234}, {"/P:1234", 1234}, {"/c:1234", 1234}, {"/p   42xyz", 42},
      {"/p 12.5", 12},   {"/p", 0},         {"/p abc", 0},
      // Handles are unsigned: the upper half of 32 bits names handles too.
      {"/p 2147483648", INT32_MIN}, {"/p 4294967295", -1}, {"/p 99999999999", 0}};
  for (const auto& [args, handle] : cases) EXPECT_EQ(WindowHandleArgument(args), handle) << args;
}

TEST(Preview, ANonAsciiSeparatorIsOneCharacter) {
  EXPECT_EQ(WindowHandleArgument("/p\xE3\x80\x80" "1234"), 1234);  // ideographic space
  EXPECT_EQ(WindowHandleArgument("/p\xEF\xBC\x9A" "77"), 77);     // full-width colon
  EXPECT_EQ(WindowHandleArgument("\xEF\xBC\x8Dp 5"), 5);          // full-width hyphen first
  HeadlessPlatform p;
  p.SetArguments("/p\xE3\x80\x80" "4660");
  p.hostWindows[4660] = {0, 0, 152, 112};
  Tidelight_R r(p);
  r.Start();
  EXPECT_FALSE(p.ended);
  ASSERT_NE(p.FindWindow("Preview Window"), nullptr);
  EXPECT_EQ(p.FindWindow("Preview Window")->spec.host, 4660);
}

TEST(Preview, FillsADesignSizedHostWithTheSamplePicture) {
  HeadlessPlatform p;
  p.SetArguments("/p 4660");
  p.hostWindows[4660] = {300, 200, 452, 312};
  Tidelight_R r(p);
  r.Start();
  auto* w = p.FindWindow("Preview Window");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->spec.kind, WindowKind::Child);
  EXPECT_EQ(w->spec.host, 4660);
  EXPECT_EQ(w->spec.rect, (Rect{0, 0, 152, 112}));
  EXPECT_TRUE(w->shown);
  EXPECT_EQ(w->screen, DrawSamplePicture());
  EXPECT_TRUE(p.filesRead.empty());  // the preview never reads the settings
  p.DestroyHost(4660);
  p.PumpMessages();
  EXPECT_TRUE(p.ended);
}

TEST(Preview, OtherHostSizesAreFilledEdgeToEdge) {
  HeadlessPlatform p;
  p.SetArguments("/p 5");
  p.hostWindows[5] = {0, 0, 200, 150};
  Tidelight_R r(p);
  r.Start();
  auto* w = p.FindWindow("Preview Window");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->screen.Width(), 200);
  // The taskbar reaches the bottom row, the desktop the right edge.
  EXPECT_EQ(w->screen.At(100, 149), Rgb(32, 32, 40));
  EXPECT_NE(w->screen.At(199, 5), 0u);
}

TEST(Preview, AHostThatChangesSizeIsFilledAgain) {
  HeadlessPlatform p;
  p.SetArguments("/p 5");
  p.hostWindows[5] = {0, 0, 152, 112};
  Tidelight_R r(p);
  r.Start();
  auto* w = p.FindWindow("Preview Window");
  ASSERT_NE(w, nullptr);
  for (Rect host : {Rect{0, 0, 320, 240}, Rect{10, 10, 90, 70}, Rect{0, 0, 152, 112}}) {
    p.hostWindows[5] = host;
    p.Notify(*w, [](WindowEvents& e) { e.OnMonitorsChanged(); });
    p.PumpMessages();
    EXPECT_EQ(w->spec.rect, (Rect{0, 0, host.Width(), host.Height()}));
    EXPECT_EQ(w->screen, DrawSamplePicture(host.Width(), host.Height()));
  }
  // A host that went meanwhile changes nothing; its end is told apart.
  p.hostWindows.erase(5);
  p.Notify(*w, [](WindowEvents& e) { e.OnMonitorsChanged(); });
  p.PumpMessages();
  EXPECT_EQ(w->spec.rect, (Rect{0, 0, 152, 112}));
  EXPECT_FALSE(p.ended);
}

TEST(Preview, NoUsableHostEndsQuietlyAndAnOversizedHostGetsNoSize) {
  for (const char* args : {"/p", "/p 0", "/p 77"}) {
    HeadlessPlatform p;
    p.SetArguments(args);
    Tidelight_R r(p);
    r.Start();
    EXPECT_TRUE(p.ended) << args;
    EXPECT_TRUE(p.messageBoxes.empty());
  }
  HeadlessPlatform p;
  p.SetArguments("/p 9");
  p.hostWindows[9] = {0, 0, 2185, 100};  // 32775 twips do not fit 16 bits
  Tidelight_R r(p);
  r.Start();
  ASSERT_NE(p.FindWindow("Preview Window"), nullptr);
  EXPECT_EQ(p.FindWindow("Preview Window")->spec.rect, (Rect{0, 0, 0, 100}));
  EXPECT_FALSE(p.ended);
}

}  // namespace
}  // namespace tl
