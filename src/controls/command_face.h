#pragma once
// How the push button paints one face: the body gradient and eight pieces
// of a state picture laid around it as a frame. Geometry is in 16-bit twips,
// recomputed from the control's size on every draw.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "gfx/raster.h"
#include "gfx/surface.h"
#include "toolkit/picture_box.h"

namespace tl {

// One piece: where it goes on the face and where it comes from on the
// picture, each as x, y, width, height in twips.
struct FacePiece {
  int16_t dx, dy, dw, dh;
  int16_t sx, sy, sw, sh;
};

// The eight pieces for a face W x H twips, in painting order: the corners
// and edges clockwise from the top left. The picture's middle is never used.
std::array<FacePiece, 8> FacePieces(int16_t w, int16_t h);

// A body colour as the button stores it ("&HC6C5D7"): six hexadecimal digits
// read as red, green and blue pairs in that order, each pair the high byte of
// a 16-bit channel. Nothing for text that is not of that form.
std::optional<TriVertex> VertexColour(std::string_view text);

// The two body colours, white and pale violet.
inline constexpr std::string_view kBodyColour1 = "&HC6C5D7", kBodyColour2 = "&HFFFFFF";

// Fills the body: white at the top fading to pale violet at the bottom, or
// the other way round when flipped. The box is switched to pixels for the
// fill and back to twips.
void FillGradient(PictureBox& face, bool gradientFlip);

// Lays the eight pieces of `picture` (natural size 960 x 375 twips) on the
// face of W x H twips: the face at the screen's twips per pixel, the picture
// at its own (its width in twips over its width in pixels); each piece
// stretched where the sizes differ.
void PaintFramePieces(Surface& face, const Surface& picture, int16_t w, int16_t h, int32_t tppX,
                      int32_t tppY);

}  // namespace tl
