// The pixel routine against its plain reference, and its edge cases.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "picfx/pixel_filters.h"
#include "picfx/pixel_routine.h"
#include "picfx/resample_avx2.h"
#include "picfx/trig.h"
#include "picfx_reference.h"

namespace tl {
namespace {

// Odd and even sizes, single pixels, single rows and columns, and widths
// that leave every remainder after groups of eight and of four pixels.
const int32_t kSizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {2, 2}, {3, 3}, {4, 5}, {5, 4},
                             {6, 6}, {9, 8}, {13, 11}, {20, 3}, {3, 20}, {34, 9}, {41, 6}};

// Every vector width the filters have, each in turn; the widest again after.
class EachFilterWidth : public ::testing::TestWithParam<FilterVectors> {
 protected:
  void SetUp() override { UseFilterVectors(GetParam()); }
  void TearDown() override { UseFilterVectors(WidestFilterVectors()); }
};

TEST_P(EachFilterWidth, EveryOpcodeEqualsTheReferenceOnRandomPictures) {
  std::mt19937 gen(21);
  for (const auto& size : kSizes) {
    for (int32_t opcode : {0, 1, 2, 4, 5, 6, -1}) {
      for (int32_t amount : {1, 2, 3, 4, 8, 0, -1}) {
        const ref::Block in = ref::RandomBlock(size[0], size[1], gen());
        const int32_t colour = static_cast<int32_t>(gen() & 0xFFFFFF);
        const RoutineParams p = ref::Params(in, opcode, amount, colour);
        ASSERT_EQ(ref::Run(PixelRoutine, in, p), ref::Pixel(in, opcode, amount, colour))
            << size[0] << "x" << size[1] << " opcode " << opcode << " amount " << amount;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PixelRoutine, EachFilterWidth,
                         ::testing::Values(FilterVectors::Sse2, FilterVectors::Avx2),
                         [](const auto& info) {
                           return std::string(info.param == FilterVectors::Sse2 ? "Sse2" : "Avx2");
                         });

#if defined(__x86_64__) || defined(__i386__)
// The swirl's turns four at a time agree with the scalar sine and cosine to
// the last bit, over every distance of a 4K picture and every turn.
TEST(PixelRoutine, SwirlTurnsAtEveryWidthAgreeToTheLastBit) {
  if (WidestFilterVectors() != FilterVectors::Avx2) GTEST_SKIP() << "no AVX2 here";
  constexpr double kPi = 3.14159265358979323846;
  std::vector<double> cosT(1921), sinT(1921);
  for (const double turn : {kPi / 2, kPi, 3 * kPi / 2, 2 * kPi}) {
    for (int32_t dy = 0; dy <= 1080; dy += 13) {
      avx2::SwirlTurns(dy, 1921, turn, 3840, cosT.data(), sinT.data());
      for (int32_t dx = 0; dx <= 1920; ++dx) {
        const SinCosResult t = SinCos(turn * std::sqrt(double(dx) * dx + double(dy) * dy) / 3840);
        ASSERT_EQ(cosT[dx], t.cos) << dx << "," << dy;
        ASSERT_EQ(sinT[dx], t.sin) << dx << "," << dy;
      }
    }
  }
}
#endif

TEST(PixelRoutine, RowWaveFollowsItsTableAndSkipsUnusableEntries) {
  std::mt19937 gen(22);
  for (const auto& size : kSizes) {
    for (int32_t amount : {0, 1, 3, -4, 50}) {
      const ref::Block in = ref::RandomBlock(size[0], size[1], gen());
      const std::vector<float> table = BuildRowTable(size[0], size[1], amount);
      const RoutineParams p = ref::Params(in, 3, amount, 0);
      ASSERT_EQ(ref::Run(PixelRoutine, in, p, 0, 0, 0, table), ref::Pixel(in, 3, amount, 0, table));
    }
    // A table from elsewhere: entries below 1, above H, halfway, not a number.
    const ref::Block in = ref::RandomBlock(size[0], size[1], gen());
    std::vector<float> table(static_cast<size_t>(size[1]));
    std::uniform_real_distribution<float> any(-3.0f, float(size[1]) + 3.0f);
    for (auto& t : table) t = std::round(any(gen) * 2) / 2;
    table[0] = std::numeric_limits<float>::quiet_NaN();
    const RoutineParams p = ref::Params(in, 3, 0, 0);
    ASSERT_EQ(ref::Run(PixelRoutine, in, p, 0, 0, 0, table), ref::Pixel(in, 3, 0, 0, table));
    // A table shorter than the plane leaves the rows it does not reach.
    const std::vector<float> none;
    EXPECT_EQ(ref::Run(PixelRoutine, in, p, 0, 0, 0, none), in);
  }
}

TEST(PixelRoutine, RowTableFollowsTheWaveAndStaysWithinThePicture) {
  const std::vector<float> flat = BuildRowTable(4, 9, 0);
  ASSERT_EQ(flat.size(), 9u);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(flat[size_t(i - 1)], float(i));
  const std::vector<float> wide = BuildRowTable(12, 5, 0);  // M = 12, clamped to H = 5
  ASSERT_EQ(wide.size(), 12u);
  EXPECT_EQ(wide[4], 5.0f);
  EXPECT_EQ(wide[11], 5.0f);
  const std::vector<float> wave = BuildRowTable(40, 30, 3);
  for (int i = 1; i <= 40; ++i) {
    const double t = std::clamp(i + 2.0 * 3 * std::sin(i / 5.0), 1.0, 30.0);
    EXPECT_NEAR(wave[size_t(i - 1)], t, 1e-5) << i;
  }
  // No rows: every entry is clamped to 0, which the routine never uses.
  for (float t : BuildRowTable(3, 0, 2)) EXPECT_EQ(t, 0.0f);
}

TEST(PixelRoutine, SmoothingExamples) {
  // Amount 1 on a row (..., 10, x, 21, ...): 5 + 10 = 15 in the middle.
  ref::Block row(3, 1);
  const uint8_t left[4] = {10, 10, 10, 10}, right[4] = {21, 21, 21, 21};
  for (int b = 0; b < 4; ++b) {
    row.At(3, 1, 1, b) = left[b];
    row.At(3, 2, 1, b) = 99;
    row.At(3, 3, 1, b) = right[b];
  }
  const ref::Block out = ref::Run(PixelRoutine, row, ref::Params(row, 0, 1, 0));
  for (int b = 0; b < 4; ++b) EXPECT_EQ(out.At(2, 2, 1, b), 15) << b;  // reserved byte too
  // Amount 3 (and every Amount other than 1, 2, 4, 8) writes nothing.
  const ref::Block in = ref::RandomBlock(6, 5, 3);
  for (int32_t amount : {3, 0, 5, 16, -8})
    EXPECT_EQ(ref::Run(PixelRoutine, in, ref::Params(in, 0, amount, 0)), in) << amount;
  // Eight neighbours of 255 give 8 x 31 = 248, never more.
  ref::Block bright(3, 3);
  for (int32_t y = 1; y <= 3; ++y)
    for (int32_t x = 1; x <= 3; ++x)
      for (int b = 0; b < 4; ++b) bright.At(3, x, y, b) = 255;
  EXPECT_EQ(ref::Run(PixelRoutine, bright, ref::Params(bright, 0, 8, 0)).At(2, 2, 2, 0), 248);
}

TEST(PixelRoutine, RowWaveOfAmountZeroCopiesTheUndoPlane) {
  const ref::Block in = ref::RandomBlock(7, 6, 4);
  const std::vector<float> table = BuildRowTable(7, 6, 0);
  const ref::Block out = ref::Run(PixelRoutine, in, ref::Params(in, 3, 0, 0), 0, 0, 0, table);
  for (int32_t y = 1; y <= 6; ++y)
    for (int32_t x = 1; x <= 7; ++x)
      for (int b = 0; b < 4; ++b)
        ASSERT_EQ(out.At(2, x, y, b), b < 3 ? in.At(3, x, y, b) : in.At(2, x, y, b));
}

TEST(PixelRoutine, FiltersClampAndUseTheColour) {
  ref::Block flat(4, 4);
  for (int32_t y = 1; y <= 4; ++y)
    for (int32_t x = 1; x <= 4; ++x)
      for (int b = 0; b < 4; ++b) flat.At(3, x, y, b) = 200;
  const int32_t colour = 0x302010;  // red 0x10, green 0x20, blue 0x30
  // Edge lift of a flat picture is the colour itself.
  const ref::Block lift = ref::Run(PixelRoutine, flat, ref::Params(flat, 1, 0, colour));
  EXPECT_EQ(lift.At(2, 3, 3, 0), 0x30);
  EXPECT_EQ(lift.At(2, 3, 3, 2), 0x10);
  EXPECT_EQ(lift.At(2, 2, 2, 0), 0);  // x = 2 is not written
  // Relief: |200 - 200 - C|.
  const ref::Block relief = ref::Run(PixelRoutine, flat, ref::Params(flat, 2, 0, colour));
  EXPECT_EQ(relief.At(2, 2, 2, 1), 0x20);
  // Emboss of a flat picture: floor(200 / 2) + 50 = 150; of a bright one,
  // above 255, the colour.
  EXPECT_EQ(ref::Run(PixelRoutine, flat, ref::Params(flat, 4, 0, colour)).At(2, 2, 2, 0), 150);
  ref::Block steep = flat;
  steep.At(3, 2, 3, 0) = 255;
  steep.At(3, 3, 3, 0) = 255;
  steep.At(3, 3, 2, 0) = 255;
  steep.At(3, 1, 1, 0) = 0;
  steep.At(3, 1, 2, 0) = 0;
  steep.At(3, 2, 1, 0) = 0;
  EXPECT_EQ(ref::Run(PixelRoutine, steep, ref::Params(steep, 4, 0, colour)).At(2, 2, 2, 0), 0x30);
}

TEST(PixelRoutine, SwirlKeepsTheCentreAndPaintsTheEdges) {
  const ref::Block in = ref::RandomBlock(9, 7, 5);
  const int32_t colour = 0x0A0B0C;
  const ref::Block out = ref::Run(PixelRoutine, in, ref::Params(in, 5, 2, colour));
  for (int b = 0; b < 3; ++b) EXPECT_EQ(out.At(2, 4, 3, b), in.At(3, 4, 3, b));  // (W div 2, H div 2)
  EXPECT_EQ(out.At(2, 1, 1, 0), 0x0A);  // the corners come from outside
  EXPECT_EQ(out.At(2, 9, 7, 2), 0x0C);
  EXPECT_EQ(out.At(2, 9, 7, 3), in.At(2, 9, 7, 3));  // reserved byte kept
}

TEST(PixelRoutine, RecordOutsideTheBlockOrWithoutRowsTouchesNothing) {
  const ref::Block in = ref::RandomBlock(4, 4, 6);
  for (int32_t opcode = 0; opcode <= 5; ++opcode) {
    RoutineParams p = ref::Params(in, opcode, 1, 0);
    p.height = 0;
    EXPECT_EQ(ref::Run(PixelRoutine, in, p), in);
    p.height = 5;  // planes would end past the block
    EXPECT_EQ(ref::Run(PixelRoutine, in, p), in);
  }
}

}  // namespace
}  // namespace tl
