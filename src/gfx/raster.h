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

// The source column or row that a destination column or row takes in a
// colour-on-colour StretchBlt between top-down 32-bit bitmaps, with the
// platform's rules. Growing, along either axis, each destination pixel takes
// the source pixel under its centre, a centre on a boundary taking the pixel
// before it. Shrinking columns, a column takes the source column of its
// mirror image rounded with halves down, and shrinking onto one column
// leaves the last source column out; shrinking rows, a row takes the source
// row at its top edge rounded with halves up.
int32_t StretchSourceColumn(int32_t srcLen, int32_t dstLen, int32_t dstPos);
int32_t StretchSourceRow(int32_t srcLen, int32_t dstLen, int32_t dstPos);

// StretchBlt with SRCCOPY in the colour-on-colour mode: `srcRect` of `src`
// onto `dstRect` of `dst`. Destination pixels outside `dst`, or whose source
// lies outside `src`, are left alone; empty or mirrored rectangles copy nothing.
void StretchBlt(Surface& dst, const Rect& dstRect, const Surface& src, const Rect& srcRect);

// A corner of a gradient fill: a position and 16-bit channels.
struct TriVertex {
  int32_t x = 0, y = 0;
  uint16_t red = 0, green = 0, blue = 0, alpha = 0;
};

// GradientFill in the vertical rectangle mode: the rectangle spanned by the
// two corners, right and bottom excluded; each row takes the colour of the
// upper corner blended towards the lower one by the row's distance, each
// channel truncated to its high byte, as the platform fills a 32-bit bitmap.
void GradientFillV(Surface& dst, const TriVertex& a, const TriVertex& b);

// Vertical gradient from `top` on the first row to `bottom` on the last,
// each channel interpolated linearly and truncated, as the platform's
// gradient fill does on a 32-bit surface.
void VerticalGradient(Surface& dst, Rect r, uint32_t top, uint32_t bottom);

}  // namespace tl
