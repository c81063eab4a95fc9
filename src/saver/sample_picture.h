#pragma once
// The preview's sample picture: a miniature desktop with an open window,
// partly faded the way the saver fades it. Drawn by our code at any size;
// its design size is 152 by 112 pixels.
#include "gfx/surface.h"

namespace tl {

inline constexpr int32_t kSampleWidth = 152;
inline constexpr int32_t kSampleHeight = 112;

Surface DrawSamplePicture(int32_t width = kSampleWidth, int32_t height = kSampleHeight);

}  // namespace tl
