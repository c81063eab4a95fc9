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

Monitor MonitorHolding(const Rect& r, const std::vector<Monitor>& monitors, const Monitor& primary) {
  const Monitor* best = &primary;
  int64_t most = 0;
  for (const Monitor& m : monitors) {
    const Rect part = Intersect(r, m.rect);
    const int64_t area = part.Empty() ? 0 : int64_t{part.Width()} * part.Height();
    if (area > most) {
      most = area;
      best = &m;
    }
  }
  return *best;
}

}  // namespace tl
