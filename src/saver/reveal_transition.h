#pragma once
// The reveal transition: replaces the picture shown in `target` by that of
// `source` gradually, one pass per displayed frame, handling window messages
// between passes.
#include <cstdint>
#include <span>

#include "shared/settings.h"
#include "toolkit/picture_box.h"
#include "toolkit/platform.h"

namespace tl {

// `mode` 1 radial sweep, 2 growing circle, 3 corner fan; any other value
// reveals nothing and only assigns the source's picture to the target.
// `count` shapes are added per pass; 0 or below counts as 1. Both boxes
// must be in twips. Returns at once, without assigning, when a reveal
// started while this one pumped messages has finished meanwhile. Returns
// whether the target ended holding the source's every pixel (so a caller
// that assigns the source again has nothing to compare).
bool RevealTransition(Platform& platform, BaseModule& base, PictureBox& target,
                      PictureBox& source, int16_t mode, int32_t count);

// One picture revealed together with others (one per monitor).
struct RevealLane {
  PictureBox& target;
  PictureBox& source;
};

// The same for several pictures at once, each growing from its own centre,
// in the same frames: the passes run side by side and the reveal ends when
// the last of them is complete. A picture whose growth ends early is shown
// whole at once and then waits. With one lane this is the reveal above;
// true when every target holds its source's pixels at the end.
bool RevealTransition(Platform& platform, BaseModule& base, std::span<const RevealLane> lanes,
                      int16_t mode, int32_t count);

}  // namespace tl
