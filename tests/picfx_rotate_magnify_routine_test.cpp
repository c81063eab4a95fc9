// The rotation and magnification routines against their plain references.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "picfx/magnify_routine.h"
#include "picfx/pixel_filters.h"
#include "picfx/resample.h"
#include "picfx/rotate_routine.h"
#include "picfx_reference.h"

namespace tl {
namespace {

const int32_t kSizes[][2] = {{1, 1}, {1, 8}, {8, 1}, {2, 2}, {3, 4}, {7, 7}, {10, 9}, {16, 5}, {5, 21}};

// Every vector width the routines have, in turn; the widest again after.
class EachVectorWidth : public ::testing::TestWithParam<FilterVectors> {
 protected:
  void SetUp() override { UseFilterVectors(GetParam()); }
  void TearDown() override { UseFilterVectors(WidestFilterVectors()); }
};

INSTANTIATE_TEST_SUITE_P(Routines, EachVectorWidth, ::testing::Values(FilterVectors::Sse2, FilterVectors::Avx2),
                         [](const auto& info) {
                           return std::string(info.param == FilterVectors::Sse2 ? "Sse2" : "Avx2");
                         });

TEST_P(EachVectorWidth, RotationOfEveryOpcodeEqualsTheReference) {
  std::mt19937 gen(41);
  std::uniform_real_distribution<float> offset(-3.0f, 3.0f);
  for (const auto& size : kSizes) {
    const int32_t w = size[0], h = size[1];
    // Whole and half-pixel centres, one outside, and turns that land on the
    // grid (multiples of 90) as well as between it.
    const float centres[][2] = {{float(w / 2), float(h / 2)},
                                {w / 2.0f + 0.5f, h / 2.0f},
                                {float(w) + 2, -1.5f},
                                {w / 2.0f + offset(gen), h / 2.0f + offset(gen)}};
    for (int32_t c : {360, 361, 370, 405, 450, 540, 630, 719, 0, -30, 33127, 1000}) {
      for (int32_t opcode : {0, 1, 2, 3, 4, -1}) {
        for (const auto& centre : centres) {
          ref::Block in = ref::RandomBlock(w, h, gen());
          const int32_t colour = static_cast<int32_t>(gen() & 0xFFFFFF);
          const RoutineParams p = ref::Params(in, opcode, 0, colour);
          ASSERT_EQ(ref::Run(RotateRoutine, in, p, ref::Bits(centre[0]), ref::Bits(centre[1]),
                             static_cast<uint32_t>(c)),
                    ref::Rotate(in, opcode, colour, centre[0], centre[1], c))
              << w << "x" << h << " c " << c << " opcode " << opcode << " centre " << centre[0]
              << "," << centre[1];
        }
      }
    }
  }
}

TEST_P(EachVectorWidth, MagnificationOfBothSamplingsEqualsTheReference) {
  std::mt19937 gen(42);
  for (const auto& size : kSizes) {
    const int32_t w = size[0], h = size[1];
    const float centres[][2] = {{float(w / 2), float(h / 2)}, {w / 2.0f + 0.25f, h / 3.0f}, {-2.0f, 0.0f}};
    for (int32_t c : {10, 9, 11, 15, 20, 25, 7, 33, 1, -10, 0, 1000, -7}) {
      for (int32_t opcode : {0, 1, 2}) {
        for (const auto& centre : centres) {
          ref::Block in = ref::RandomBlock(w, h, gen());
          const int32_t colour = static_cast<int32_t>(gen() & 0xFFFFFF);
          const RoutineParams p = ref::Params(in, opcode, 0, colour);
          ASSERT_EQ(ref::Run(MagnifyRoutine, in, p, ref::Bits(centre[0]), ref::Bits(centre[1]),
                             static_cast<uint32_t>(c)),
                    ref::Magnify(in, opcode, colour, centre[0], centre[1], c))
              << w << "x" << h << " c " << c << " opcode " << opcode;
        }
      }
    }
  }
}

// Halfway blends are exact ties; the quick single-precision blend must hand
// them to the exact one, which rounds them to even.
TEST(MagnifyRoutine, BilinearTiesRoundToEven) {
  ref::Block in(4, 4);
  for (int32_t y = 1; y <= 4; ++y)
    for (int32_t x = 1; x <= 4; ++x)
      for (int b = 0; b < 3; ++b) in.At(3, x, y, b) = static_cast<uint8_t>((x * 37 + y * 11 + b * 5) % 256);
  for (int32_t c : {20, 40}) {
    const RoutineParams p = ref::Params(in, 1, 0, 0);
    EXPECT_EQ(ref::Run(MagnifyRoutine, in, p, ref::Bits(2.0f), ref::Bits(2.0f), static_cast<uint32_t>(c)),
              ref::Magnify(in, 1, 0, 2.0f, 2.0f, c));
  }
  // One cell by hand: halfway between 1 and 2 in x and y is (1+2+3+4)/4 = 2.5 -> 2.
  ref::Block cell(2, 2);
  const uint8_t values[4] = {1, 2, 3, 4};
  for (int i = 0; i < 4; ++i) cell.At(3, 1 + i % 2, 1 + i / 2, 0) = values[i];
  BilinearCell at{1, 1, 1u << 22, 1u << 22};
  const SamplePlanes planes{cell.bytes.data() + 2 * 2 * 4 * 2, nullptr, 2, 2, 0};
  EXPECT_EQ(BlendExact(planes, at) & 0xFF, 2u);
}

TEST(MagnifyRoutine, InverseZoomIsTakenInSinglePrecision) {
  EXPECT_EQ(InverseZoom(10), 1.0f);
  EXPECT_EQ(InverseZoom(20), 0.5f);
  EXPECT_EQ(InverseZoom(30), static_cast<float>(1 / 3.0));
  EXPECT_TRUE(std::isinf(InverseZoom(0)));
}

TEST(MagnifyRoutine, ZoomOfZeroPaintsEveryPixel) {
  const ref::Block in = ref::RandomBlock(5, 4, 43);
  for (int32_t opcode : {0, 1}) {
    const ref::Block out = ref::Run(MagnifyRoutine, in, ref::Params(in, opcode, 0, 0x010203),
                                    ref::Bits(2.0f), ref::Bits(2.0f), 0);
    for (int32_t y = 1; y <= 4; ++y)
      for (int32_t x = 1; x <= 5; ++x) {
        EXPECT_EQ(out.At(2, x, y, 0), 0x01);  // blue: bits 16 to 23
        EXPECT_EQ(out.At(2, x, y, 2), 0x03);
        EXPECT_EQ(out.At(2, x, y, 3), in.At(2, x, y, 3));
      }
  }
}

TEST(RotateRoutine, NonNumericCentrePaintsEverything) {
  const ref::Block in = ref::RandomBlock(4, 4, 44);
  for (int32_t opcode : {0, 1}) {
    const ref::Block out = ref::Run(RotateRoutine, in, ref::Params(in, opcode, 0, 0x0A0B0C),
                                    ref::Bits(std::nanf("")), ref::Bits(2.0f), 400);
    EXPECT_EQ(out.At(2, 2, 2, 0), 0x0A);
    EXPECT_EQ(out, ref::Rotate(in, opcode, 0x0A0B0C, std::nanf(""), 2.0f, 400));
  }
}

}  // namespace
}  // namespace tl
