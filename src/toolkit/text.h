#pragma once
// Text drawn by the platform's text renderer onto our surfaces, and the font
// it is drawn in. Texts are UTF-8.
#include <cstdint>
#include <string>

#include "gfx/surface.h"

namespace tl {

// Character sets the program names (the platform's values).
namespace charset {
inline constexpr uint8_t kAnsi = 0;
inline constexpr uint8_t kDefault = 1;  // any: the face decides
inline constexpr uint8_t kShiftJis = 128;
}  // namespace charset

// A font as the program describes it: a face, a size in points and a style.
struct Font {
  std::string name;
  double size = 9.0;  // points
  int16_t weight = 400;
  uint8_t charset = charset::kAnsi;
  bool italic = false, underline = false, strikethrough = false;
  bool operator==(const Font&) const = default;
};

enum class TextAlign : uint8_t { Left, Centre, Right };

// One text drawn with a transparent background into `rect` (pixels of the
// surface, clipped to it), from its top, wrapped at word boundaries.
struct TextDraw {
  std::string text;
  Rect rect;
  TextAlign align = TextAlign::Left;
  uint32_t colour = 0;  // COLORREF (0x00BBGGRR)
  std::string face;     // an installed face (see ResolveFace)
  int32_t heightPx = 13;  // character height in pixels
  int16_t weight = 400;
  uint8_t charset = charset::kAnsi;
  bool italic = false, underline = false, strikethrough = false;
  // False: the platform's greyed look of disabled text, colour ignored.
  bool enabled = true;
};

// Character height in pixels of a size in points at a resolution, rounded.
int32_t FontHeightPx(double points, int32_t dpi);

class WindowSystem;

// The face to draw a font in: its own when installed; otherwise, for the
// Japanese character set, the first installed of the usual Japanese UI
// faces; otherwise its own name, which the platform maps as it can.
std::string ResolveFace(WindowSystem& windows, const Font& font);

}  // namespace tl
