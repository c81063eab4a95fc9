#pragma once
// The monitors of the desktop, as places in the virtual screen.
#include <cstdint>
#include <vector>

#include "gfx/surface.h"

namespace tl {

struct Monitor {
  // In virtual-screen pixels: the primary monitor starts at (0, 0), the
  // others may lie left of or above it (negative coordinates).
  Rect rect;
  bool primary = false;
  int32_t dpiX = 96, dpiY = 96;
  bool operator==(const Monitor&) const = default;
};

// The monitors besides the primary one that a full-screen cover needs,
// in the order given: those lying wholly inside the primary monitor or one
// taken before (a mirrored or misreported monitor) are already covered; one
// that overlaps without lying inside (a cloned projector larger than the
// primary) is not. The primary monitor is `primaryRect`, whatever the list
// says.
std::vector<Monitor> OtherMonitorsToCover(const std::vector<Monitor>& monitors,
                                          const Rect& primaryRect);

}  // namespace tl
