#pragma once
// The fade level: 1 to 511, 256 the untouched snapshot, moved by the fade
// depth every step and turned at both ends.
#include <cstdint>

namespace tl {

inline constexpr int16_t kFadeUntouched = 256;
inline constexpr int16_t kFadeDarkest = 1;
inline constexpr int16_t kFadeBrightest = 511;

struct FadeState {
  int16_t level = kFadeUntouched;
  bool down = true;
};

// One move by `depth`. The arithmetic is wide, so no depth overflows: a depth
// beyond the whole range flips between the two ends, and a negative depth,
// which the settings dialog never writes, counts as 0 like an unreadable one.
FadeState MoveFade(FadeState s, int32_t depth);

// What a level asks of the picture engine: the opcode (7 darker, 6 lighter)
// and the amount, or opcode 0 for the untouched level.
struct FadeOperation {
  int32_t opcode = 0;
  int32_t amount = 0;
};
FadeOperation FadeOperationFor(int16_t level);

}  // namespace tl
