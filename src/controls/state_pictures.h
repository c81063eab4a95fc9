#pragma once
// The six state pictures of the push button: our own artwork, drawn by this
// code. Each is a 64 x 25 rounded rectangle of which only the outer 4-pixel
// band is ever shown: a margin, a 1-pixel frame line with anti-aliased
// rounded corners, and a 2-pixel inner band in the state's colours.
#include <array>
#include <cstdint>

#include "gfx/surface.h"

namespace tl {

enum class StatePicture : uint8_t { Normal, HighLight, HighLightSelect, Selected, Pressed, Disable };

inline constexpr int32_t kStatePictureWidth = 64, kStatePictureHeight = 25;

// One picture, 64 x 25, reserved bytes 0 (24-bit colour).
Surface DrawStatePicture(StatePicture which);

using StatePictures = std::array<Surface, 6>;
StatePictures DrawStatePictures();

}  // namespace tl
