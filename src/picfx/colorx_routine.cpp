#include "picfx/colorx_routine.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "picfx/trig.h"

namespace tl {

namespace {

constexpr double kPi = 3.14159265358979323846;

void PaintRow(const PaintPlane& p, int32_t y, Bgr c) {
  for (int32_t x = 1; x <= p.width; ++x) Paint(p.At(x, y), c);
}

void Dot(const PaintPlane& p, float a, float b, Bgr c) {
  const int32_t x = std::min(RoundOrOutside(double{a} * p.width + 1), p.width);
  const int32_t y = std::min(RoundOrOutside(double{b} * p.height + 1), p.height);
  if (x >= 1 && y >= 1) Paint(p.At(x, y), c);
}

// Opcodes 1 to 3 step down from the far edge by A; without a positive step
// there is nothing to paint.
void Lines(const PaintPlane& p, int32_t opcode, int32_t step, Bgr c) {
  if (step <= 0) return;
  switch (opcode) {
    case 1:
      for (int32_t y = p.height; y > 0; y -= step) PaintRow(p, y, c);
      return;
    case 2:
      for (int32_t y = 1; y <= p.height; ++y)
        for (int32_t x = p.width; x > 0; x -= step) Paint(p.At(x, y), c);
      return;
    default:
      for (int32_t y = p.height; y > 0; y -= step)
        for (int32_t x = p.width; x > 0; x -= step) Paint(p.At(x, y), c);
      return;
  }
}

uint8_t Brighten(uint8_t v, double g, uint8_t colour) {
  const int32_t r = RoundOrOutside(v * g);
  return r > 255 ? colour : static_cast<uint8_t>(r);
}

// Rings of radius 1 .. 24 A about (a, H - b), each point multiplying the
// pixel it falls on by g = 2 - r / (24 A). Radii whose circle lies wholly
// outside the picture change nothing and are not walked.
void Ring(const PaintPlane& p, int32_t amount, float a, float b, Bgr c) {
  if (amount <= 0) return;
  const double cx = a, cy = p.height - double{b};
  if (!std::isfinite(cx) || !std::isfinite(cy)) return;
  const int32_t radii = 24 * amount;
  const double farX = std::max(std::fabs(cx - 1), std::fabs(cx - p.width));
  const double farY = std::max(std::fabs(cy - 1), std::fabs(cy - p.height));
  const double reach = std::sqrt(farX * farX + farY * farY) + 2;
  double sinT[360], cosT[360];
  for (int t = 1; t <= 359; ++t) {
    const SinCosResult sc = SinCos(t * kPi / 180);
    sinT[t] = sc.sin;
    cosT[t] = sc.cos;
  }
  const uint8_t colour[3] = {c.blue, c.green, c.red};
  for (int32_t r = 1; r <= radii && r <= reach; ++r) {
    const double g = 2 - static_cast<double>(r) / radii;
    for (int t = 359; t >= 1; --t) {
      const int32_t xp = RoundOrOutside(sinT[t] * r + cx);
      const int32_t yp = RoundOrOutside(cosT[t] * r + cy);
      if (xp < 1 || xp > p.width || yp < 1 || yp > p.height) continue;
      uint8_t* px = p.At(xp, yp);
      for (int k = 0; k < 3; ++k) px[k] = Brighten(px[k], g, colour[k]);
    }
  }
}

}  // namespace

uint32_t ColorXRoutine(const RoutineCall& call) {
  if (call.Pixels() == 0) return 0;
  const RoutineParams& params = *call.params;
  const PaintPlane plane{call.working.data(), params.width, params.height};
  const Bgr c = ChannelsOf(params.colour);
  const float a = std::bit_cast<float>(call.a), b = std::bit_cast<float>(call.b);
  switch (params.opcode) {
    case 0: Dot(plane, a, b, c); break;
    case 1:
    case 2:
    case 3: Lines(plane, params.opcode, params.amount, c); break;
    case 4:
    case 5:
    case 6:
    case 7:
    case 8: Glow(plane, params.opcode, params.amount, params.colour, a, b); break;
    default: Ring(plane, params.amount, a, b, c); break;
  }
  return 0;
}

}  // namespace tl
