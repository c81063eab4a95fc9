// Tidelight_C's rotation and magnification.
#include <bit>
#include <cmath>

#include "base/numeric.h"
#include "picfx/routine_table.h"
#include "picfx/tidelight_c.h"

namespace tl {

namespace {

uint32_t FloatBits(double v) { return std::bit_cast<uint32_t>(static_cast<float>(v)); }

// round(Factor x 10) as a 32-bit number: beyond the range it stays at the
// nearest end, and a factor that is not a number zooms by 0 (all fill).
int32_t ZoomTenths(float factor) {
  const double tenths = RoundHalfEven(double{factor} * 10);
  if (std::isnan(tenths)) return 0;
  if (tenths >= 2147483647.0) return INT32_MAX;
  if (tenths <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(tenths);
}

}  // namespace

void Tidelight_C::ASM_Rotate(int16_t angle, bool antiAlias, bool sourcePic, int32_t colorX,
                             std::optional<double> centerX, std::optional<double> centerY) {
  if (NotAssigned() || angle == 0 || bits_.Empty()) return;
  if (!sourcePic && autoDraw_) CopyPlane(2, 3);
  params_.colour = FillColour(colorX);
  params_.opcode = (sourcePic ? 2 : 0) + (antiAlias ? 1 : 0);
  // Angle + 360 in 32 bits: every Angle turns the picture by itself.
  const int32_t c = int32_t{angle} + 360;
  CallRoutine(RoutineId::Rotate, PlanesCall(FloatBits(centerX.value_or(w_ / 2)),
                                            FloatBits(centerY.value_or(h_ / 2)),
                                            static_cast<uint32_t>(c)));
  EndEffect();
}

void Tidelight_C::ASM_Magnify(float factor, std::optional<double> centerX,
                              std::optional<double> centerY, int16_t antiAlias, int32_t colorX) {
  if (!BeginEffect()) return;
  params_.colour = FillColour(colorX);
  params_.opcode = antiAlias != 0 ? 1 : 0;
  CallRoutine(RoutineId::Magnify, PlanesCall(FloatBits(centerX.value_or(w_ / 2)),
                                             FloatBits(centerY.value_or(h_ / 2)),
                                             static_cast<uint32_t>(ZoomTenths(factor))));
  EndEffect();
}

}  // namespace tl
