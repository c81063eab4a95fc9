// The SSE2 pattern loop against the plain byte loop.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "picfx/pal_pattern.h"

namespace tl {
namespace {

TEST(PalPattern, FastLoopEqualsPlainLoopOnRandomDataAtManyLengthsAndOffsets) {
  std::mt19937 gen(11);
  const PatternOp ops[] = {PatternOp::AddSaturate, PatternOp::SubtractSaturate,
                           PatternOp::AddWrap, PatternOp::SubtractWrap, PatternOp::Invert};
  for (size_t pairs : {0u, 1u, 2u, 3u, 7u, 8u, 9u, 15u, 33u, 960u, 1001u, 4099u}) {
    for (size_t offset : {0u, 4u, 8u}) {  // pixel-aligned starts of every 16-byte phase
      for (PatternOp op : ops) {
        const uint32_t pattern = gen();
        std::vector<uint8_t> src(pairs * 8 + 32);
        for (auto& b : src) b = static_cast<uint8_t>(gen());
        // Separate source and destination.
        std::vector<uint8_t> fast(src.size(), 0x5A), plain(src.size(), 0x5A);
        ApplyPattern(src.data() + offset, fast.data() + offset, pairs, pattern, op);
        ApplyPatternScalar(src.data() + offset, plain.data() + offset, pairs, pattern, op);
        ASSERT_EQ(fast, plain) << "pairs " << pairs << " offset " << offset;
        // In place; bytes past the last pair stay as they were.
        std::vector<uint8_t> inPlace = src, reference = src;
        ApplyPattern(inPlace.data() + offset, inPlace.data() + offset, pairs, pattern, op);
        ApplyPatternScalar(reference.data() + offset, reference.data() + offset, pairs, pattern,
                           op);
        ASSERT_EQ(inPlace, reference) << "pairs " << pairs << " offset " << offset;
        for (size_t i = offset + pairs * 8; i < src.size(); ++i) ASSERT_EQ(inPlace[i], src[i]);
      }
    }
  }
}

}  // namespace
}  // namespace tl
