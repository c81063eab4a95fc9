// The palette routine, opcode by opcode, on the working plane of a raw block.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "picfx/pal_routine.h"
#include "picfx/routine_table.h"

namespace tl {
namespace {

using Px = std::array<uint8_t, 4>;  // blue, green, red, reserved

// A block of three planes of w x h pixels; planes 1 and 3 hold a marker so
// that a routine writing outside plane 2 shows.
struct Block {
  int32_t w, h;
  std::vector<uint8_t> bytes;
  RoutineParams params;

  Block(int32_t width, int32_t height, const std::vector<Px>& working) : w(width), h(height) {
    const size_t n = size_t(w) * h;
    bytes.assign(n * 12, 0xA5);
    for (size_t i = 0; i < n; ++i)
      for (int k = 0; k < 4; ++k) bytes[n * 4 + i * 4 + k] = working[i % working.size()][k];
    params.width = w;
    params.height = h;
  }
  Px At(size_t i) const {
    const size_t o = size_t(w) * h * 4 + i * 4;
    return {bytes[o], bytes[o + 1], bytes[o + 2], bytes[o + 3]};
  }
  size_t N() const { return size_t(w) * h; }
  void Run(int32_t opcode, int32_t amount, uint32_t a = kDefaultArgument) {
    params.opcode = opcode;
    params.amount = amount;
    PalRoutine(CallOn(params, bytes, a));
  }
  bool OtherPlanesUntouched() const {
    for (size_t i = 0; i < N() * 4; ++i)
      if (bytes[i] != 0xA5 || bytes[N() * 8 + i] != 0xA5) return false;
    return true;
  }
};

std::vector<Px> RandomPixels(size_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::vector<Px> v(n);
  for (auto& p : v)
    for (auto& b : p) b = static_cast<uint8_t>(gen());
  return v;
}

// The amount each byte of a pixel gets from a pattern opcode, by channel.
Px ChannelAmounts(int32_t opcode, int32_t A) {
  const auto byte = [A](int shift) { return static_cast<uint8_t>((A >> shift) & 0xFF); };
  const uint8_t a = byte(0);
  if (opcode <= 1) return {0, 0, a, byte(8)};
  if (opcode <= 3) return {0, a, byte(8), byte(16)};
  if (opcode <= 5) return {a, byte(8), byte(16), byte(24)};
  return {a, a, a, byte(8)};
}

uint8_t Reference(int32_t opcode, uint8_t v, uint8_t amount) {
  const int sum = v + amount, diff = v - amount;
  if (opcode == 11) return static_cast<uint8_t>(255 - v);
  if (opcode == 8) return static_cast<uint8_t>(sum & 0xFF);
  if (opcode == 9) return static_cast<uint8_t>(diff & 0xFF);
  if (opcode % 2 == 0) return static_cast<uint8_t>(sum > 255 ? 255 : sum);
  return static_cast<uint8_t>(diff < 0 ? 0 : diff);
}

TEST(PalRoutine, PatternOpcodesMatchThePlainByteRulesAndKeepAnOddLastPixel) {
  const std::vector<Px> pixels = RandomPixels(27, 3);
  for (int32_t opcode : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}) {
    for (int32_t A : {0, 1, 100, 255, 293, 0x1234, 0x7F3456, -1, -200, -32768, 32767}) {
      Block b(9, 3, pixels);  // 27 pixels: 13 pairs and a last one
      b.Run(opcode, A);
      const Px amounts = ChannelAmounts(opcode, A);
      for (size_t i = 0; i + 1 < b.N(); ++i)
        for (int k = 0; k < 4; ++k)
          ASSERT_EQ(b.At(i)[k], Reference(opcode, pixels[i][k], amounts[k]))
              << "opcode " << opcode << " A " << A << " pixel " << i << " byte " << k;
      EXPECT_EQ(b.At(26), pixels[26]) << "opcode " << opcode;
      EXPECT_TRUE(b.OtherPlanesUntouched());
    }
  }
}

TEST(PalRoutine, BrightnessExamples) {
  const Px p{50, 150, 250, 9};
  Block darker(2, 1, {p});
  darker.Run(7, 100);
  EXPECT_EQ(darker.At(0), (Px{0, 50, 150, 9}));
  Block lighter(2, 1, {p});
  lighter.Run(6, 100);
  EXPECT_EQ(lighter.At(0), (Px{150, 250, 255, 9}));
  for (int32_t opcode : {6, 7}) {
    Block same(3, 2, RandomPixels(6, 4));
    const auto before = same.bytes;
    same.Run(opcode, 0);
    EXPECT_EQ(same.bytes, before);
  }
  Block wrap(2, 1, {Px{250, 0, 0, 0}});
  wrap.Run(8, 16);
  EXPECT_EQ(wrap.At(0)[0], 10);
  Block sat(2, 1, {Px{250, 0, 0, 0}});
  sat.Run(6, 16);
  EXPECT_EQ(sat.At(0)[0], 255);
  // A negative Amount's upper bytes are all ones: every byte saturates.
  Block white(2, 1, {Px{1, 2, 3, 4}});
  white.Run(6, -1);
  EXPECT_EQ(white.At(0), (Px{255, 255, 255, 255}));
  // Within 0..255 the single-channel shifts touch only their channel.
  Block red(2, 1, {Px{10, 20, 30, 40}});
  red.Run(0, 5);
  EXPECT_EQ(red.At(1), (Px{10, 20, 35, 40}));
}

TEST(PalRoutine, InvertTwiceGivesThePictureBackWithReservedBytes) {
  const std::vector<Px> pixels = RandomPixels(10, 5);
  Block b(5, 2, pixels);
  b.Run(11, 0);
  EXPECT_EQ(b.At(3)[3], 255 - pixels[3][3]);
  b.Run(11, 0);
  for (size_t i = 0; i < b.N(); ++i) EXPECT_EQ(b.At(i), pixels[i]);
}

TEST(PalRoutine, PerPixelTestsAtTheirBoundaries) {
  struct Case {
    int32_t opcode;
    Px in, out;
  };
  const Case cases[] = {
      {12, {1, 1, 2, 7}, {1, 1, 1, 7}},
      {12, {255, 255, 254, 7}, {254, 254, 254, 7}},
      {13, {24, 24, 24, 7}, {0, 0, 0, 7}},
      {13, {24, 25, 0, 7}, {24, 25, 0, 7}},
      {14, {249, 249, 249, 7}, {255, 255, 255, 7}},
      {14, {249, 248, 255, 7}, {249, 248, 255, 7}},
      {15, {0, 0, 0, 7}, {255, 255, 255, 7}},
      {15, {0, 0, 1, 7}, {0, 0, 1, 7}},
      {16, {255, 255, 255, 7}, {0, 0, 0, 7}},
      {16, {255, 254, 255, 7}, {255, 254, 255, 7}},
      {17, {255, 254, 255, 7}, {0, 0, 0, 7}},
      {17, {255, 255, 255, 7}, {255, 255, 255, 7}},
      {18, {0, 1, 0, 7}, {255, 255, 255, 7}},
      {18, {0, 0, 0, 7}, {0, 0, 0, 7}},
      {19, {255, 255, 180, 7}, {255, 255, 255, 7}},  // red at the threshold
      {19, {179, 180, 0, 7}, {255, 255, 255, 7}},    // green, blue below
      {19, {180, 255, 179, 7}, {0, 0, 0, 7}},        // green, but blue too
      {19, {0, 179, 179, 7}, {0, 0, 0, 7}},
  };
  for (const Case& c : cases) {
    Block b(1, 1, {c.in});  // a single pixel: the tests treat it like any other
    b.Run(c.opcode, 0);
    EXPECT_EQ(b.At(0), c.out) << "opcode " << c.opcode;
  }
}

TEST(PalRoutine, SinglePixelPlaneIsLeftAloneByPatternOperations) {
  for (int32_t opcode : {0, 6, 7, 8, 11}) {
    Block b(1, 1, {Px{100, 100, 100, 100}});
    b.Run(opcode, 50);
    EXPECT_EQ(b.At(0), (Px{100, 100, 100, 100})) << opcode;
    EXPECT_TRUE(b.OtherPlanesUntouched());
  }
}

TEST(PalRoutine, OpcodesOutsideTheRangeChangeNothing) {
  for (int32_t opcode : {20, 21, 1000, -1, INT32_MIN}) {
    Block b(3, 3, RandomPixels(9, 6));
    const auto before = b.bytes;
    b.Run(opcode, 77);
    EXPECT_EQ(b.bytes, before) << opcode;
  }
}

TEST(PalRoutine, RecordLargerThanTheBlockTouchesNothing) {
  Block b(4, 4, RandomPixels(16, 7));
  const auto before = b.bytes;
  b.params.width = 5;  // plane 2 would end past the block
  b.params.height = 7;
  b.Run(11, 0);
  EXPECT_EQ(b.bytes, before);
  b.params.width = -4;
  b.Run(11, 0);
  EXPECT_EQ(b.bytes, before);
}

// Values worked out independently of this code, with the generator's
// 33-bit carried sum and ties-to-even rounding.
TEST(PalRoutine, NoiseFollowsTheSeededSequence) {
  const std::vector<Px> pixels = {{10, 128, 250, 7}, {0, 255, 100, 200}, {60, 61, 62, 63}};
  Block b(3, 1, pixels);
  b.Run(10, 3, 0x40000000u);
  EXPECT_EQ(b.At(0), (Px{0, 149, 229, 7}));
  EXPECT_EQ(b.At(1), (Px{0, 255, 100, 200}));
  EXPECT_EQ(b.At(2), (Px{89, 57, 46, 63}));  // the odd last pixel too
  Block negative(3, 1, pixels);
  negative.Run(10, -2, 0x40000000u);
  EXPECT_EQ(negative.At(0), (Px{49, 115, 255, 7}));
  EXPECT_EQ(negative.At(1), (Px{32, 220, 101, 200}));
  EXPECT_EQ(negative.At(2), (Px{42, 65, 73, 63}));
  // This seed makes the first sum carry out of 32 bits.
  Block carry(3, 1, pixels);
  carry.Run(10, 1, 0x76918DE5u);
  EXPECT_EQ(carry.At(0), (Px{0, 135, 243, 7}));
  EXPECT_EQ(carry.At(1), (Px{0, 255, 100, 200}));
  EXPECT_EQ(carry.At(2), (Px{70, 60, 57, 63}));
  EXPECT_TRUE(carry.OtherPlanesUntouched());
}

TEST(RoutineTable, CallsThePaletteRoutineInItsSlot) {
  EXPECT_EQ(Routines()[static_cast<size_t>(RoutineId::Pal)], &PalRoutine);
  std::vector<uint8_t> bytes(48, 9);
  RoutineParams params;
  params.width = 2;
  params.height = 2;
  params.opcode = 11;
  CallRoutine(RoutineId::Pal, CallOn(params, bytes));
  EXPECT_EQ(bytes[16], 255 - 9);
  EXPECT_EQ(bytes[15], 9);
}

}  // namespace
}  // namespace tl
