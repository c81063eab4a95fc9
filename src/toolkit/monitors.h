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
  // Which monitor it is, the same from one layout to the next where the
  // platform can tell (0 where it cannot).
  uint64_t id = 0;
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

// How the virtual screen moved from one layout to the next: its origin is
// the primary's corner, so when the primary is another monitor (the old one
// went, or another was made primary) every place moves with it.
struct LayoutShift {
  // Added to a place of the old layout, gives the same place in the new one.
  int32_t dx = 0, dy = 0;
  // The primary is another monitor, though perhaps of the same size.
  bool otherPrimary = false;
};
// Learnt from a monitor both layouts name by its id: the new primary, else
// the old one; nothing moved where no monitor tells.
LayoutShift ShiftBetween(const std::vector<Monitor>& before, const std::vector<Monitor>& after);

}  // namespace tl
