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

namespace {

const Monitor* PrimaryOf(const std::vector<Monitor>& monitors) {
  for (const Monitor& m : monitors)
    if (m.primary) return &m;
  return nullptr;
}

const Monitor* Named(const std::vector<Monitor>& monitors, uint64_t id) {
  if (id == 0) return nullptr;
  for (const Monitor& m : monitors)
    if (m.id == id) return &m;
  return nullptr;
}

}  // namespace

LayoutShift ShiftBetween(const std::vector<Monitor>& before, const std::vector<Monitor>& after) {
  LayoutShift shift;
  const Monitor* oldPrimary = PrimaryOf(before);
  const Monitor* newPrimary = PrimaryOf(after);
  if (!oldPrimary || !newPrimary) return shift;
  shift.otherPrimary = oldPrimary->id != 0 && newPrimary->id != 0 && oldPrimary->id != newPrimary->id;
  // The same monitor in both: the new primary, else the old one.
  const Monitor* from = Named(before, newPrimary->id);
  const Monitor* to = newPrimary;
  if (!from) {
    from = oldPrimary;
    to = Named(after, oldPrimary->id);
  }
  if (to) {
    shift.dx = to->rect.left - from->rect.left;
    shift.dy = to->rect.top - from->rect.top;
  }
  return shift;
}

}  // namespace tl
