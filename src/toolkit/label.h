#pragma once
// A label: a text with a transparent background, drawn by the platform over
// whatever its container painted. It has no window of its own, so input over
// it belongs to its container. Position and size are in twips.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "gfx/surface.h"
#include "toolkit/platform.h"
#include "toolkit/text.h"

namespace tl {

class Label {
 public:
  std::string caption;
  std::shared_ptr<Font> font = std::make_shared<Font>();  // shared when assigned by reference
  uint32_t foreColour = 0;  // COLORREF
  bool enabled = true;      // false: the platform's greyed text
  TextAlign alignment = TextAlign::Left;
  double left = 0, top = 0, width = 0, height = 0;  // twips (single precision in the toolkit)

  // The label's rectangle in pixels of its container.
  Rect PixelBounds(Screen& screen) const;
  // Draws the caption onto the container's pixels.
  void Draw(Surface& onto, Platform& p);

 private:
  std::map<std::pair<std::string, uint8_t>, std::string> faces_;  // resolved once per font face
};

}  // namespace tl
