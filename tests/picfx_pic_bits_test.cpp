// The pixel block's deferred restore must be invisible: any sequence of
// plane copies and writes leaves what three plain arrays would hold.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "picfx/pic_bits.h"

namespace tl {
namespace {

TEST(PicBits, DeferredRestoreBehavesLikeEagerCopies) {
  constexpr int32_t w = 3, h = 3;
  constexpr size_t plane = w * h * 4;
  std::mt19937 gen(21);
  for (int round = 0; round < 200; ++round) {
    PicBits bits;
    ASSERT_TRUE(bits.Allocate(w, h));
    std::array<std::vector<uint8_t>, 4> model;  // planes 1..3
    for (int p = 1; p <= 3; ++p) {
      model[p].resize(plane);
      for (auto& b : model[p]) b = static_cast<uint8_t>(gen());
      std::memcpy(bits.WritePlane(p), model[p].data(), plane);
    }
    for (int step = 0; step < 12; ++step) {
      const int kind = gen() % 4, p = 1 + gen() % 3, q = 1 + gen() % 3;
      if (kind == 0) {  // restore, the deferred case
        bits.CopyPlane(3, 2);
        model[2] = model[3];
      } else if (kind == 1) {
        bits.CopyPlane(p, q);
        model[q] = model[p];
      } else if (kind == 2) {  // a routine writing one byte through the whole block
        const size_t at = gen() % plane;
        const uint8_t v = static_cast<uint8_t>(gen());
        bits.Block()[plane * (p - 1) + at] = v;
        model[p][at] = v;
      } else {  // one pass from plane 3 into plane 2, as the fade step does
        if (const uint8_t* src = bits.TakeDeferredSource()) {
          uint8_t* dst = bits.WritePlane(2);
          for (size_t i = 0; i < plane; ++i) dst[i] = static_cast<uint8_t>(src[i] ^ 0x0F);
          for (size_t i = 0; i < plane; ++i) model[2][i] = static_cast<uint8_t>(model[3][i] ^ 0x0F);
        }
      }
      for (int r = 1; r <= 3; ++r)
        ASSERT_EQ(std::memcmp(bits.ReadPlane(r), model[r].data(), plane), 0)
            << "round " << round << " step " << step << " plane " << r;
    }
  }
}

TEST(PicBits, RefusesSizesWhosePlaneDoesNotFitA32BitCount) {
  PicBits bits;
  EXPECT_FALSE(bits.Allocate(0, 5));
  EXPECT_FALSE(bits.Allocate(-1, 5));
  EXPECT_FALSE(bits.Allocate(32768, 16384));  // 2^31 bytes
  EXPECT_TRUE(bits.Empty());
  EXPECT_EQ(bits.ReadPlane(2), nullptr);
  bits.CopyPlane(1, 2);  // nothing to move, nothing to break
  EXPECT_TRUE(bits.Block().empty());
}

}  // namespace
}  // namespace tl
