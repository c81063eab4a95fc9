#pragma once
// The settings dialog's own pictures, drawn by code: the two marks of the
// music rows and the pointer over the link.
#include "gfx/surface.h"
#include "toolkit/pointer_picture.h"

namespace tl {

inline constexpr int32_t kMarkPx = 12;

// 12 x 12: a white square box (not chosen) or a blue filled one (chosen).
Surface MarkPicture(bool chosen);

// A pointing hand, 32 x 32 in two colours, its fingertip at (12, 10).
PointerPicture LinkPointer();

}  // namespace tl
