#include "toolkit/monitors.h"

namespace tl {

std::vector<Monitor> OtherMonitorsToCover(const std::vector<Monitor>& monitors,
                                          const Rect& primaryRect) {
  std::vector<Monitor> others;
  std::vector<Rect> covered{primaryRect};
  for (const Monitor& m : monitors) {
    if (m.primary || m.rect.Empty()) continue;
    bool inside = false;
    for (const Rect& c : covered) inside = inside || Intersect(c, m.rect) == m.rect;
    if (inside) continue;
    covered.push_back(m.rect);
    others.push_back(m);
  }
  return others;
}

}  // namespace tl
