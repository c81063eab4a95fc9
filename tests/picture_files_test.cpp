// Picture files on the headless back end: what the probe reads, BMP round
// trips and variants, the codecs of the build, and bad files of every kind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>

#include "gfx/bmp_file.h"
#include "gfx/picture_codec.h"
#include "gfx/picture_probe.h"
#include "picture_samples.h"
#include "test_folder.h"

namespace tl::test {
namespace {

int MaxChannelDifference(const Surface& a, const Surface& b) {
  int most = 0;
  for (int32_t y = 0; y < a.Height(); ++y)
    for (int32_t x = 0; x < a.Width(); ++x)
      for (int shift = 0; shift < 24; shift += 8)
        most = std::max(most, std::abs(int((a.At(x, y) >> shift) & 0xFF) - int((b.At(x, y) >> shift) & 0xFF)));
  return most;
}

Bytes PngFile(const Surface& s) { return codec::EncodePng(s).value(); }
Bytes JpegFile(const Surface& s) { return codec::EncodeJpeg(s, 95).value(); }

TEST(PictureProbe, ReadsFormatAndSizeFromHeaders) {
  const Surface s = SamplePicture(37, 21);
  const struct {
    Bytes bytes;
    PictureFormat format;
    int64_t w, h;
  } cases[] = {
      {EncodeBmp(s), PictureFormat::Bmp, 37, 21},
      {PngFile(s), PictureFormat::Png, 37, 21},
      {JpegFile(s), PictureFormat::Jpeg, 37, 21},
      {GifFile(PalettePicture(37, 21)), PictureFormat::Gif, 37, 21},
      {IconFile(PalettePicture(16, 16), false), PictureFormat::Ico, 16, 16},
      {IconFile(PalettePicture(32, 32), true), PictureFormat::Cur, 32, 32},
      {MetafileOf(40, 30, 0xFF, 0xFF0000), PictureFormat::Wmf, 40, 30},
      {Bytes{'h', 'e', 'l', 'l', 'o'}, PictureFormat::Unknown, 0, 0},
      {Bytes{}, PictureFormat::Unknown, 0, 0},
  };
  for (const auto& c : cases) {
    const PictureProbe p = ProbePicture(c.bytes);
    EXPECT_EQ(p.format, c.format) << PictureFormatName(c.format);
    EXPECT_EQ(p.width, c.w) << PictureFormatName(c.format);
    EXPECT_EQ(p.height, c.h) << PictureFormatName(c.format);
    EXPECT_TRUE(PictureComplete(c.bytes, p)) << PictureFormatName(c.format);
  }
  // A metafile's size follows the screen's resolution.
  const PictureProbe at144 = ProbePicture(MetafileOf(40, 30, 0, 0), 144);
  EXPECT_EQ(at144.width, 60);
  EXPECT_EQ(at144.height, 45);
}

TEST(PictureProbe, SizeLimits) {
  EXPECT_TRUE(PictureSizeAllowed(1, 1));
  EXPECT_TRUE(PictureSizeAllowed(7680, 4320));
  EXPECT_TRUE(PictureSizeAllowed(16384, 2048));
  EXPECT_FALSE(PictureSizeAllowed(0, 0));
  EXPECT_FALSE(PictureSizeAllowed(0, 10));
  EXPECT_FALSE(PictureSizeAllowed(16385, 1));
  EXPECT_FALSE(PictureSizeAllowed(16384, 16384));  // past 2^25 pixels
  EXPECT_FALSE(PictureSizeAllowed(30000, 30000));
  EXPECT_FALSE(PictureSizeAllowed(-5, 10));
}

TEST(BmpFile, RoundTripKeepsEveryPixelByteForByte) {
  for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {37, 21}, {64, 1}}) {
    const Surface s = SamplePicture(w, h);
    const Bytes file = EncodeBmp(s);
    // 24 bits, rows padded to four bytes, bottom-up.
    EXPECT_EQ(file.size(), 54u + size_t((w * 3 + 3) & ~3) * h);
    const DecodedPicture back = DecodeBmp(file);
    ASSERT_TRUE(back.ok()) << w << "x" << h;
    EXPECT_EQ(back.pixels, s) << w << "x" << h;
  }
}

// The layouts other programs write, read to the same pixels.
TEST(BmpFile, ReadsPaletteBitFieldAndTopDownVariants) {
  // 2 x 2: red, green / blue, white (top row first).
  const uint32_t want[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  Surface expected(2, 2);
  for (int i = 0; i < 4; ++i) expected.At(i % 2, i / 2) = want[i];

  const Bytes palette = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
  // 8 bits: bottom row (blue, white) first, rows padded to 4 bytes.
  const Bytes eight = BmpFile(2, 2, 8, 0, palette, {2, 3, 0, 0, 0, 1, 0, 0});
  // 4 bits: two pixels to a byte, high nibble first.
  const Bytes four = BmpFile(2, 2, 4, 0, palette, {0x23, 0, 0, 0, 0x01, 0, 0, 0});
  // 16 bits, 5-6-5 bit fields.
  Bytes masks;
  Put32(masks, 0xF800);
  Put32(masks, 0x07E0);
  Put32(masks, 0x001F);
  const Bytes sixteen = BmpFile(2, 2, 16, 3, masks, {0x1F, 0, 0xFF, 0xFF, 0, 0xF8, 0xE0, 0x07});
  // 32 bits, top-down.
  const Bytes topDown = BmpFile(2, 2, 32, 0, {},
                                {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}, true);
  for (const Bytes* file : {&eight, &four, &sixteen, &topDown}) {
    const DecodedPicture p = DecodeBmp(*file);
    ASSERT_TRUE(p.ok()) << int(p.error);
    EXPECT_EQ(p.pixels, expected);
  }
  // Run-length compression is a kind of BMP we do not read.
  EXPECT_EQ(DecodeBmp(BmpFile(2, 2, 8, 1, palette, {2, 0, 0, 1})).error, PictureError::Unsupported);
}

TEST(PictureCodecs, PngRoundTripIsExactAndJpegIsClose) {
  // Ramps, a checkerboard and noise: each row filter gets chosen somewhere.
  Surface noise(17, 9);
  uint32_t state = 1;
  for (int32_t y = 0; y < 9; ++y)
    for (int32_t x = 0; x < 17; ++x) noise.At(x, y) = (state = state * 1103515245u + 12345u) >> 8;
  for (const Surface& s : {SamplePicture(45, 33), SamplePicture(1, 1), noise}) {
    const DecodedPicture png = DecodePicture(PngFile(s), 0);
    ASSERT_TRUE(png.ok());
    EXPECT_EQ(png.pixels, s) << s.Width();
  }
  // A smooth picture survives quality 95 within a few steps per channel.
  Surface smooth(48, 32);
  for (int32_t y = 0; y < 32; ++y)
    for (int32_t x = 0; x < 48; ++x) smooth.At(x, y) = Rgb(uint8_t(x * 5), uint8_t(y * 7), 90);
  const DecodedPicture jpeg = DecodePicture(JpegFile(smooth), 0);
  ASSERT_TRUE(jpeg.ok());
  ASSERT_EQ(jpeg.pixels.Width(), 48);
  EXPECT_LE(MaxChannelDifference(jpeg.pixels, smooth), 12);
  for (uint32_t p : {jpeg.pixels.At(0, 0), jpeg.pixels.At(47, 31)}) EXPECT_EQ(p >> 24, 0u);
}

TEST(PictureCodecs, GifFirstFrameWithTransparencyAndInterlace) {
  const Surface s = PalettePicture(19, 11);
  for (bool interlaced : {false, true}) {
    const DecodedPicture gif = DecodePicture(GifFile(s, -1, interlaced), 0x123456);
    ASSERT_TRUE(gif.ok()) << interlaced;
    EXPECT_EQ(gif.pixels, s) << interlaced;
  }
  // Index 0 is the first colour met (the top-left pixel's): transparent, it
  // shows the background wherever it was.
  const DecodedPicture clear = DecodePicture(GifFile(s, 0), 0x123456);
  ASSERT_TRUE(clear.ok());
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x)
      EXPECT_EQ(clear.pixels.At(x, y), s.At(x, y) == s.At(0, 0) ? 0x123456u : s.At(x, y));
}

// A first frame smaller than the logical screen sits at its place on a
// canvas of the background colour; a part beyond the screen is cut off.
TEST(PictureCodecs, GifFirstFrameOnItsCanvas) {
  const Surface s = PalettePicture(7, 5);
  for (auto [left, top] : {std::pair{3, 2}, {9, 4}}) {
    const DecodedPicture gif =
        DecodePicture(GifFile(s, -1, false, {12, 8, left, top}), 0x123456);
    ASSERT_TRUE(gif.ok()) << left;
    ASSERT_EQ(gif.pixels.Width(), 12);
    ASSERT_EQ(gif.pixels.Height(), 8);
    for (int32_t y = 0; y < 8; ++y)
      for (int32_t x = 0; x < 12; ++x) {
        const bool inside = x >= left && x < left + 7 && y >= top && y < top + 5;
        ASSERT_EQ(gif.pixels.At(x, y), inside ? s.At(x - left, y - top) : 0x123456u)
            << left << " " << x << "," << y;
      }
  }
}

// Bad files of every kind end in an error, never a crash or a huge allocation.
TEST(PictureFiles, BadFilesAreRefused) {
  const Surface s = SamplePicture(40, 30);
  auto cut = [](Bytes b, size_t keep) {
    b.resize(keep);
    return b;
  };
  Bytes hugeBmp = EncodeBmp(SamplePicture(2, 2));
  Set32(hugeBmp, 18, 30000);
  Set32(hugeBmp, 22, 30000);
  Bytes emptyBmp = EncodeBmp(SamplePicture(2, 2));
  Set32(emptyBmp, 18, 0);
  Set32(emptyBmp, 22, 0);
  Bytes hugeGif = GifFile(PalettePicture(4, 4));
  hugeGif[6] = 0x30, hugeGif[7] = 0x75, hugeGif[8] = 0x30, hugeGif[9] = 0x75;  // 30000 x 30000
  Bytes emptyGif = GifFile(PalettePicture(4, 4));
  emptyGif[6] = emptyGif[7] = emptyGif[8] = emptyGif[9] = 0;
  Bytes hugePng = PngFile(SamplePicture(4, 4));
  hugePng[18] = 0x75, hugePng[19] = 0x30, hugePng[22] = 0x75, hugePng[23] = 0x30;
  Bytes hugeJpeg = JpegFile(SamplePicture(16, 16));
  for (size_t i = 2; i + 8 < hugeJpeg.size(); ++i)
    if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) {
      hugeJpeg[i + 5] = 0x75, hugeJpeg[i + 6] = 0x30, hugeJpeg[i + 7] = 0x75, hugeJpeg[i + 8] = 0x30;
      break;
    }
  const Bytes png = PngFile(s), jpeg = JpegFile(s), gif = GifFile(PalettePicture(40, 30)),
              bmp = EncodeBmp(s);
  const struct {
    const char* name;
    Bytes bytes;
    PictureError error;
  } cases[] = {
      {"text", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'}, PictureError::NotAPicture},
      {"empty file", {}, PictureError::NotAPicture},
      {"bmp cut", cut(bmp, bmp.size() / 2), PictureError::Damaged},
      {"bmp header only", cut(bmp, 30), PictureError::Damaged},
      {"png cut", cut(png, png.size() / 2), PictureError::Damaged},
      {"jpeg cut", cut(jpeg, jpeg.size() / 2), PictureError::Damaged},
      {"jpeg header only", cut(jpeg, 20), PictureError::Damaged},
      {"gif cut", cut(gif, gif.size() / 2), PictureError::Damaged},
      {"bmp 0x0", emptyBmp, PictureError::TooLarge},
      {"gif 0x0", emptyGif, PictureError::TooLarge},
      {"bmp 30000x30000", hugeBmp, PictureError::TooLarge},
      {"gif 30000x30000", hugeGif, PictureError::TooLarge},
      {"png 30000x30000", hugePng, PictureError::TooLarge},
      {"jpeg 30000x30000", hugeJpeg, PictureError::TooLarge},
      {"metafile", MetafileOf(8, 8, 0, 0), PictureError::Unsupported},
  };
  for (const auto& c : cases) {
    const DecodedPicture p = DecodePicture(c.bytes, 0);
    EXPECT_EQ(p.error, c.error) << c.name;
    EXPECT_EQ(p.pixels.Width(), 0) << c.name;
  }
}

TEST(PictureFiles, HeadlessBackEndLoadsAndSavesRealFiles) {
  HeadlessPlatform platform;
  PictureFiles& files = platform.seam.pictures;
  TestFolder folder;
  const Surface s = SamplePicture(23, 17);
  // A name outside every ANSI code page.
  const std::string path = folder.str() + "/空の写真 ✓.bmp";
  ASSERT_TRUE(files.SavePictureAsBmp(path, s));
  const DecodedPicture back = files.LoadPicture(path, 0);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(back.pixels, s);
  EXPECT_EQ(files.LoadPicture(folder.str() + "/missing.bmp", 0).error, PictureError::CannotRead);
  EXPECT_EQ(files.LoadPicture(folder.str(), 0).error, PictureError::CannotRead);
  EXPECT_FALSE(files.SavePictureAsBmp(folder.str() + "/no such folder/x.bmp", s));
}

}  // namespace
}  // namespace tl::test
