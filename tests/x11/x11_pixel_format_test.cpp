// Our pixels in the layouts of the visuals X servers offer, and back.
#include <gtest/gtest.h>

#include <vector>

#include "backends/x11/x11_pixel_format.h"

namespace tl::x11 {
namespace {

struct FormatCase {
  const char* name;
  PixelFormat format;
  std::vector<uint8_t> bytes;  // what 0xFF8008 becomes, in memory order
  uint32_t back;               // those bytes read back as our pixel
};

TEST(X11PixelFormat, OurColourInEveryLayoutAndBack) {
  const FormatCase cases[] = {
      {"ours", {4, 0xFF0000, 0xFF00, 0xFF, 0, false}, {0x08, 0x80, 0xFF, 0x00}, 0xFF8008},
      {"32-bit with alpha, other byte order", {4, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, true},
       {0xFF, 0xFF, 0x80, 0x08}, 0xFF8008},
      {"8-8-8 in three bytes", {3, 0xFF0000, 0xFF00, 0xFF, 0, false}, {0x08, 0x80, 0xFF}, 0xFF8008},
      {"blue first", {4, 0xFF, 0xFF00, 0xFF0000, 0, false}, {0xFF, 0x80, 0x08, 0x00}, 0xFF8008},
      // Five and six bits widen back by repeating their high bits.
      {"565", {2, 0xF800, 0x7E0, 0x1F, 0, false}, {0x01, 0xFC}, 0xFF8208},
      {"565, other byte order", {2, 0xF800, 0x7E0, 0x1F, 0, true}, {0xFC, 0x01}, 0xFF8208},
      {"10-10-10", {4, 0x3FF00000, 0xFFC00, 0x3FF, 0, false}, {0x20, 0x08, 0xF8, 0x3F}, 0xFF8008},
      {"3-3-2", {1, 0xE0, 0x1C, 0x3, 0, false}, {0xF0}, 0xFF9200},
  };
  for (const FormatCase& c : cases) {
    ASSERT_TRUE(Servable(c.format)) << c.name;
    const PixelConverter convert(c.format);
    const uint32_t ours[2] = {0xFF8008, 0};
    std::vector<uint8_t> bytes(2 * c.format.bytesPerPixel, 0xAA);
    convert.ToVisual(ours, bytes.data(), 2);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + c.format.bytesPerPixel), c.bytes) << c.name;
    uint32_t back[2] = {1, 1};
    convert.FromVisual(bytes.data(), back, 2);
    EXPECT_EQ(back[0], c.back) << c.name;
    EXPECT_EQ(back[1], 0u) << c.name << ": black stays black, with no alpha in our pixel";
  }
}

TEST(X11PixelFormat, BlackAndWhiteStayTheEndsAndTenBitsKeepEveryLevel) {
  for (const PixelFormat& f : {PixelFormat{2, 0xF800, 0x7E0, 0x1F, 0, false},
                               PixelFormat{4, 0x3FF00000, 0xFFC00, 0x3FF, 0, true}}) {
    const PixelConverter convert(f);
    std::vector<uint32_t> ours(256), back(256);
    for (uint32_t v = 0; v < 256; ++v) ours[v] = v << 16 | v << 8 | v;
    std::vector<uint8_t> bytes(256 * f.bytesPerPixel);
    convert.ToVisual(ours.data(), bytes.data(), 256);
    convert.FromVisual(bytes.data(), back.data(), 256);
    EXPECT_EQ(back[255], 0xFFFFFFu);
    if (f.bytesPerPixel == 4) {
      EXPECT_EQ(back, ours);
    }
  }
}

TEST(X11PixelFormat, MasksThatCannotBeMadeAreRefused) {
  const PixelFormat refused[] = {
      {2, 0xF800, 0x7E0, 0, 0, false},        // a channel missing
      {2, 0xF800, 0x0FE0, 0x1F, 0, false},    // overlapping
      {2, 0xF801, 0x7E0, 0x1E, 0, false},     // not one run
      {2, 0xFF0000, 0xFF00, 0xFF, 0, false},  // beyond the pixel's bytes
  };
  for (const PixelFormat& f : refused) EXPECT_FALSE(Servable(f)) << std::hex << f.red;
}

}  // namespace
}  // namespace tl::x11
