#include "saver/fade_cycle.h"

namespace tl {

FadeState MoveFade(FadeState s, int32_t depth) {
  if (depth < 0) depth = 0;
  if (s.down) {
    const int64_t next = int64_t{s.level} - depth;
    if (next < kFadeDarkest) return {kFadeDarkest, false};
    return {static_cast<int16_t>(next), true};
  }
  const int64_t next = int64_t{s.level} + depth;
  if (next > kFadeBrightest) return {kFadeBrightest, true};
  return {static_cast<int16_t>(next), false};
}

FadeOperation FadeOperationFor(int16_t level) {
  if (level > kFadeUntouched) return {6, level - kFadeUntouched};
  if (level < kFadeUntouched) return {7, 255 - level};
  return {};
}

}  // namespace tl
