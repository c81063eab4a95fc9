// The win32 back end's picture files against the platform's own picture
// loader (Wine's, when the tests run here), with files the test makes: each
// format it reads, the bad files, and a path outside the ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include "backends/headless/headless_platform.h"
#include "backends/win32/win32_platform.h"
#include "gfx/bmp_file.h"
#include "gfx/picture_codec.h"
#include "gfx/picture_decode.h"
#include "picfx/tidelight_c.h"
#include "picture_samples.h"
#include "test_folder.h"

namespace tl::test {
namespace {

struct Win32Pictures : ::testing::Test {
  Win32Platform platform;
  TestFolder folder;
  std::string Write(const std::string& name, const Bytes& b) { return folder.Write(name, AsString(b)); }
  DecodedPicture Load(const std::string& name, const Bytes& b, uint32_t background = 0) {
    return platform.LoadPicture(Write(name, b), background);
  }
};

TEST_F(Win32Pictures, BitmapsReadAsOurReaderReadsThem) {
  const Surface s = SamplePicture(37, 21);
  const DecodedPicture bmp = Load("sample.bmp", EncodeBmp(s));
  ASSERT_TRUE(bmp.ok()) << PictureErrorText(bmp.error);
  EXPECT_EQ(bmp.pixels, s);
  // An 8-bit file with a colour table, the platform's reading against ours.
  const Bytes palette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
  const Bytes eight = BmpFile(2, 2, 8, 0, palette, {2, 3, 0, 0, 0, 1, 0, 0});
  const DecodedPicture platformRead = Load("eight.bmp", eight);
  ASSERT_TRUE(platformRead.ok());
  EXPECT_EQ(platformRead.pixels, DecodeBmp(eight).pixels);
}

TEST_F(Win32Pictures, GifJpegAndPng) {
  const Surface flat = PalettePicture(24, 16);
  const DecodedPicture gif = Load("flat.gif", GifFile(flat));
  ASSERT_TRUE(gif.ok()) << PictureErrorText(gif.error);
  EXPECT_EQ(gif.pixels, flat);

  Surface smooth(48, 32);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 48; ++x) smooth.At(x, y) = Rgb(uint8_t(x * 5), uint8_t(y * 7), 90);
  const DecodedPicture jpeg = Load("smooth.jpg", codec::EncodeJpeg(smooth, 95).value());
  ASSERT_TRUE(jpeg.ok()) << PictureErrorText(jpeg.error);
  ASSERT_EQ(jpeg.pixels.Width(), 48);
  ASSERT_EQ(jpeg.pixels.Height(), 32);
  for (int32_t y = 0; y < 32; y += 7)
    for (int32_t x = 0; x < 48; x += 5)
      for (int shift = 0; shift < 24; shift += 8)
        EXPECT_NEAR(int((jpeg.pixels.At(x, y) >> shift) & 0xFF), int((smooth.At(x, y) >> shift) & 0xFF), 12);

  // PNG is read by the codecs, not by the picture loader.
  const Surface s = SamplePicture(19, 13);
  const DecodedPicture png = Load("sample.png", codec::EncodePng(s).value());
  ASSERT_TRUE(png.ok());
  EXPECT_EQ(png.pixels, s);
}

TEST_F(Win32Pictures, IconsAndCursorsShowTheBackgroundThroughTheirMask) {
  const Surface s = PalettePicture(32, 32);
  std::vector<bool> clear(32 * 32, false);
  clear[0] = clear[5 * 32 + 7] = true;
  for (bool cursor : {false, true}) {
    const DecodedPicture p =
        Load(cursor ? "pointer.cur" : "picture.ico", IconFile(s, cursor, clear), 0x00ABCDEF);
    ASSERT_TRUE(p.ok()) << cursor << " " << PictureErrorText(p.error);
    ASSERT_EQ(p.pixels.Width(), 32) << cursor;
    ASSERT_EQ(p.pixels.Height(), 32) << cursor;
    for (int32_t y = 0; y < 32; ++y)
      for (int32_t x = 0; x < 32; ++x)
        ASSERT_EQ(p.pixels.At(x, y), clear[y * 32 + x] ? 0x00ABCDEFu : s.At(x, y))
            << cursor << " at " << x << "," << y;
  }
}

TEST_F(Win32Pictures, MetafilesAreDrawnAtTheirSize) {
  // Red left, blue right (COLORREFs), 40 x 30 at the test screen's 96 DPI.
  ASSERT_EQ(platform.DpiX(), 96);
  const DecodedPicture p = Load("halves.wmf", MetafileOf(40, 30, 0x0000FF, 0xFF0000), 0x00FFFFFF);
  ASSERT_TRUE(p.ok()) << PictureErrorText(p.error);
  ASSERT_EQ(p.pixels.Width(), 40);
  ASSERT_EQ(p.pixels.Height(), 30);
  EXPECT_EQ(p.pixels.At(5, 15), 0xFF0000u);   // our pixel value: red
  EXPECT_EQ(p.pixels.At(34, 15), 0x0000FFu);  // blue
}

TEST_F(Win32Pictures, BadFilesAreRefusedBeforeTheLoaderSeesThem) {
  Bytes huge = EncodeBmp(SamplePicture(2, 2));
  Set32(huge, 18, 30000);
  Set32(huge, 22, 30000);
  Bytes empty = EncodeBmp(SamplePicture(2, 2));
  Set32(empty, 18, 0);
  Set32(empty, 22, 0);
  Bytes cut = EncodeBmp(SamplePicture(20, 20));
  cut.resize(cut.size() / 2);
  Bytes jpeg = codec::EncodeJpeg(SamplePicture(32, 32), 90).value();
  jpeg.resize(jpeg.size() / 2);
  Bytes gif = GifFile(PalettePicture(30, 30));
  gif.resize(gif.size() / 2);
  Bytes icon = IconFile(PalettePicture(16, 16), false);
  icon.resize(icon.size() - 40);
  Bytes wmf = MetafileOf(20, 20, 0, 0);
  wmf.resize(wmf.size() - 10);
  const struct {
    const char* name;
    Bytes bytes;
  } cases[] = {{"text.bmp", {'p', 'l', 'a', 'i', 'n'}}, {"huge.bmp", huge}, {"empty.bmp", empty},
               {"cut.bmp", cut}, {"cut.jpg", jpeg}, {"cut.gif", gif}, {"cut.ico", icon},
               {"cut.wmf", wmf}};
  for (const auto& c : cases) EXPECT_FALSE(Load(c.name, c.bytes).ok()) << c.name;
  EXPECT_EQ(platform.LoadPicture(folder.str() + "\\nowhere.bmp", 0).error, PictureError::CannotRead);
}

TEST_F(Win32Pictures, PathsOutsideTheAnsiCodePage) {
  const Surface s = SamplePicture(9, 7);
  const std::string path = folder.str() + "\\空の写真 ✓.bmp";
  ASSERT_TRUE(platform.SavePictureAsBmp(path, s));
  const DecodedPicture back = platform.LoadPicture(path, 0);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back.pixels, s);
}

// The engine's open dialog with the real loader, window caption and mouse
// pointer; only the dialog's answers are scripted.
TEST_F(Win32Pictures, EngineLoadsThroughTheRealBackEnd) {
  HeadlessPlatform scripted;
  Platform mixed{platform, platform, scripted, platform, platform.media, platform};
  WindowEvents events;
  auto window = platform.OpenWindow({"Picture window ✓", WindowKind::Dialog, {0, 0, 64, 48}}, events);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->Caption(), "Picture window ✓");
  RandomGenerator random;
  PictureBox box(mixed, true);
  box.SetHost(window.get());
  box.Resize(40, 30);
  Tidelight_C engine(mixed, random);
  engine.PictureBox(box);
  ASSERT_TRUE(engine.Bound());

  scripted.fileToOpen = Write("halves.wmf", MetafileOf(40, 30, 0x0000FF, 0xFF0000));
  engine.dialogShowOpen();
  EXPECT_TRUE(scripted.messageBoxes.empty());
  EXPECT_EQ(box.Pixels().At(5, 15), 0xFF0000u);
  EXPECT_EQ(engine.Bits().Pixel(35, 15, 1), 0x0000FFu);

  scripted.fileToOpen = Write("broken.gif", {'G', 'I', 'F', '8', '9', 'a', 1});
  engine.dialogShowOpen();
  ASSERT_EQ(scripted.messageBoxes.size(), 1u);
  EXPECT_EQ(scripted.messageBoxes[0].text, "Error loading picture file");
  EXPECT_EQ(scripted.messageBoxes[0].title, "Picture window ✓");
  window->SetMousePointer(MousePointer::Hourglass);
  window->SetMousePointer(MousePointer::Default);
}

}  // namespace
}  // namespace tl::test
