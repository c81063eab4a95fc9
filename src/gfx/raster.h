#pragma once
// Raster operations on our surfaces, with the platform's rules, so that the
// headless and the win32 back ends produce identical pixels.
#include <cstdint>

#include "gfx/surface.h"

namespace tl {

// The raster operations the program uses, by their platform codes.
enum class Rop : uint32_t {
  SrcCopy = 0x00CC0020,     // dst = src
  NotSrcCopy = 0x00330008,  // dst = ~src
  SrcAnd = 0x008800C6,      // dst = dst & src
  SrcPaint = 0x00EE0086,    // dst = dst | src
};

// Block transfer of a w x h rectangle, clipped to both surfaces. The reserved
// byte takes part in the operation as the platform's does on 32-bit bitmaps.
void BitBlt(Surface& dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Surface& src,
            int32_t sx, int32_t sy, Rop rop);

void FillRect(Surface& dst, Rect r, uint32_t pixel);

// Nearest-neighbour stretch of the whole source into dstRect (clipped),
// sampling each destination pixel's centre.
void StretchCopy(Surface& dst, Rect dstRect, const Surface& src);

// Vertical gradient from `top` on the first row to `bottom` on the last,
// each channel interpolated linearly and truncated, as the platform's
// gradient fill does on a 32-bit surface.
void VerticalGradient(Surface& dst, Rect r, uint32_t top, uint32_t bottom);

}  // namespace tl
