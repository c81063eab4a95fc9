#include "toolkit/monitors.h"

namespace tl {

std::vector<Monitor> OtherMonitorsToCover(const std::vector<Monitor>& monitors,
                                          const Rect& primaryRect) {
  std::vector<Monitor> others;
  std::vector<Rect> covered{primaryRect};
  for (const Monitor& m : monitors) {
    if (m.primary || m.rect.Empty()) continue;
    bool overlaps = false;
    for (const Rect& c : covered) overlaps = overlaps || !Intersect(c, m.rect).Empty();
    if (overlaps) continue;
    covered.push_back(m.rect);
    others.push_back(m);
  }
  return others;
}

}  // namespace tl
