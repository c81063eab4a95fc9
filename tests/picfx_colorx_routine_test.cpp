// The colour-painting routine against its plain reference, and its edge cases.
#include <gtest/gtest.h>

#include <random>

#include "picfx/colorx_routine.h"
#include "picfx_reference.h"

namespace tl {
namespace {

const int32_t kSizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {5, 4}, {8, 7}, {13, 12}, {23, 6}};

// A picture with many pixels of the colour and of its near neighbours, so
// that glows meet matches, overlap, and blend pixels into new matches.
ref::Block PaletteBlock(int32_t w, int32_t h, int32_t colour, uint32_t seed) {
  std::mt19937 gen(seed);
  ref::Block b = ref::RandomBlock(w, h, seed);
  for (int32_t y = 1; y <= h; ++y)
    for (int32_t x = 1; x <= w; ++x) {
      const uint32_t pick = gen() % 8;
      if (pick >= 3) continue;
      for (int c = 0; c < 3; ++c) {
        const int v = ref::C(colour, c) + (pick == 0 ? 0 : int(gen() % 3) - 1);
        b.At(2, x, y, c) = static_cast<uint8_t>(std::clamp(v, 0, 255));
      }
    }
  return b;
}

TEST(ColorXRoutine, GlowsEqualTheReferenceWhileTheScanChangesThePlane) {
  std::mt19937 gen(31);
  const int32_t colour = 0x40A0C8;
  for (const auto& size : kSizes) {
    for (int32_t opcode = 4; opcode <= 8; ++opcode) {
      for (int32_t amount : {1, 2, 4, 8, 9, 10, 0, -1, -5}) {
        const ref::Block in = PaletteBlock(size[0], size[1], colour, gen());
        const RoutineParams p = ref::Params(in, opcode, amount, colour);
        for (const auto& [a, b] : {std::pair{0.9f, 0.1f}, std::pair{1.3f, 0.45f}}) {
          ASSERT_EQ(ref::Run(ColorXRoutine, in, p, ref::Bits(a), ref::Bits(b)),
                    ref::ColorX(in, opcode, amount, colour, a, b))
              << size[0] << "x" << size[1] << " opcode " << opcode << " amount " << amount;
        }
      }
    }
  }
}

TEST(ColorXRoutine, DotsLinesGridAndRingEqualTheReference) {
  std::mt19937 gen(32);
  std::uniform_real_distribution<float> unit(0.0f, 1.0f), centre(-4.0f, 16.0f);
  for (const auto& size : kSizes) {
    for (int32_t opcode : {0, 1, 2, 3, 9, 10, -2}) {
      for (int32_t amount : {1, 2, 3, 5, 0, -3}) {
        const ref::Block in = ref::RandomBlock(size[0], size[1], gen());
        const int32_t colour = static_cast<int32_t>(gen() & 0xFFFFFF);
        const float a = opcode == 0 ? unit(gen) : centre(gen);
        const float b = opcode == 0 ? unit(gen) : centre(gen);
        const RoutineParams p = ref::Params(in, opcode, amount, colour);
        ASSERT_EQ(ref::Run(ColorXRoutine, in, p, ref::Bits(a), ref::Bits(b)),
                  ref::ColorX(in, opcode, amount, colour, a, b))
            << size[0] << "x" << size[1] << " opcode " << opcode << " amount " << amount;
      }
    }
  }
}

TEST(ColorXRoutine, GlowOfReachOneAroundOnePixel) {
  const int32_t colour = 0x0000FF;  // red
  ref::Block in(5, 5);
  ref::Paint(in, 2, 3, 3, colour);
  const ref::Block out =
      ref::Run(ColorXRoutine, in, ref::Params(in, 4, 1, colour), ref::Bits(0.9f), ref::Bits(0.1f));
  for (int32_t y = 1; y <= 5; ++y)
    for (int32_t x = 1; x <= 5; ++x) {
      const bool neighbour = std::abs(x - 3) <= 1 && std::abs(y - 3) <= 1 && (x != 3 || y != 3);
      // f = 0.9: a black neighbour takes a tenth of the red, round(25.5) = 26.
      EXPECT_EQ(out.At(2, x, y, 2), x == 3 && y == 3 ? 255 : neighbour ? 26 : 0) << x << "," << y;
      EXPECT_EQ(out.At(2, x, y, 0), 0);
    }
}

TEST(ColorXRoutine, GlowReachAndColoursBeyondTwentyFourBits) {
  EXPECT_EQ(GlowReach(1), 1);
  EXPECT_EQ(GlowReach(2), 2);
  EXPECT_EQ(GlowReach(7), 4);
  EXPECT_EQ(GlowReach(8), 4);  // 5 becomes 4
  EXPECT_EQ(GlowReach(9), 4);
  EXPECT_EQ(GlowReach(10), 6);
  EXPECT_EQ(GlowReach(0), 1);
  EXPECT_EQ(GlowReach(-2), 0);
  EXPECT_EQ(GlowReach(-30000), 0);
  // A negative colour field matches no pixel, though its low bytes paint.
  ref::Block in(4, 4);
  for (int32_t y = 1; y <= 4; ++y)
    for (int32_t x = 1; x <= 4; ++x) ref::Paint(in, 2, x, y, 0xFFFFFF);
  for (int32_t opcode = 4; opcode <= 8; ++opcode)
    EXPECT_EQ(ref::Run(ColorXRoutine, in, ref::Params(in, opcode, 1, -1), ref::Bits(0.9f),
                       ref::Bits(0.1f)),
              in);
  ref::Block black(3, 3);
  EXPECT_EQ(ref::Run(ColorXRoutine, black, ref::Params(black, 1, 1, -1)).At(2, 2, 3, 1), 255);
}

TEST(ColorXRoutine, StepsOfZeroOrBelowPaintNothingAndEnd) {
  const ref::Block in = ref::RandomBlock(6, 5, 33);
  for (int32_t opcode : {1, 2, 3, 9, 12})
    for (int32_t amount : {0, -1, -32768})
      EXPECT_EQ(ref::Run(ColorXRoutine, in, ref::Params(in, opcode, amount, 0x123456),
                         ref::Bits(3.0f), ref::Bits(2.0f)),
                in)
          << opcode << " " << amount;
}

TEST(ColorXRoutine, RingWalksOnlyTheRadiiThatReachThePicture) {
  // 24 x 300 radii, of which only the first few reach a 6 x 5 picture: the
  // same bytes as walking them all.
  const ref::Block in = ref::RandomBlock(6, 5, 34);
  const RoutineParams p = ref::Params(in, 9, 300, 0x804020);
  EXPECT_EQ(ref::Run(ColorXRoutine, in, p, ref::Bits(2.5f), ref::Bits(1.0f)),
            ref::ColorX(in, 9, 300, 0x804020, 2.5f, 1.0f));
  // The largest Amount, and a centre that is not a number, finish at once.
  const RoutineParams most = ref::Params(in, 9, 32767, 0x804020);
  EXPECT_NE(ref::Run(ColorXRoutine, in, most, ref::Bits(3.0f), ref::Bits(2.0f)), in);
  EXPECT_EQ(ref::Run(ColorXRoutine, in, most, ref::Bits(std::nanf("")), ref::Bits(2.0f)), in);
}

TEST(ColorXRoutine, DotStaysInsideThePicture) {
  const ref::Block in = ref::RandomBlock(4, 3, 35);
  const int32_t colour = 0x00FF00;
  // a just below 1 rounds to W + 1, then at most W.
  const ref::Block edge = ref::Run(ColorXRoutine, in, ref::Params(in, 0, 1, colour),
                                   ref::Bits(0.99999994f), ref::Bits(0.99999994f));
  EXPECT_EQ(edge.At(2, 4, 3, 1), 255);
  EXPECT_EQ(edge.At(2, 4, 3, 0), 0);
  // Positions left of or below the picture paint nothing.
  EXPECT_EQ(ref::Run(ColorXRoutine, in, ref::Params(in, 0, 1, colour), ref::Bits(-0.5f),
                     ref::Bits(0.5f)),
            in);
}

}  // namespace
}  // namespace tl
