#include "picfx/trig.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace tl {

namespace {

using namespace trig;

// Minimax polynomials on [-pi/4, pi/4] for sin and cos, taking the reduced
// argument as a head x and a tail y.
double KernelSin(double x, double y) {
  const double z = x * x;
  const double v = z * x;
  const double r = kS2 + z * (kS3 + z * (kS4 + z * (kS5 + z * kS6)));
  return x - ((z * (0.5 * y - v * r) - y) - v * kS1);
}

double KernelCos(double x, double y) {
  const double z = x * x;
  const double w2 = z * z;
  const double r = z * (kC1 + z * (kC2 + z * kC3)) + w2 * w2 * (kC4 + z * (kC5 + z * kC6));
  const double hz = 0.5 * z;
  const double w = 1.0 - hz;
  return w + (((1.0 - w) - hz) + (z * r - x * y));
}

int Exponent(double v) {
  uint64_t u;
  std::memcpy(&u, &v, sizeof u);
  return static_cast<int>((u >> 52) & 0x7FF);
}

// x = n * pi/2 + (y0 + y1), with pi/2 in three pieces so that the
// cancellation near a multiple of pi/2 keeps its precision.
int ReduceByHalfPi(double x, double& y0, double& y1) {
  constexpr double invPio2 = kInvPio2, pio2_1 = kPio2_1, pio2_1t = kPio2_1t,
                   pio2_2 = 6.07710050630396597660e-11, pio2_2t = 2.02226624879595063154e-21,
                   pio2_3 = 2.02226624871116645580e-21, pio2_3t = 8.47842766036889956997e-32;
  const double fn = std::nearbyint(x * invPio2);
  const int n = static_cast<int>(fn);
  double r = x - fn * pio2_1;
  double w = fn * pio2_1t;
  y0 = r - w;
  const int j = Exponent(x);
  if (j - Exponent(y0) > 16) {
    double t = r;
    w = fn * pio2_2;
    r = t - w;
    w = fn * pio2_2t - ((t - r) - w);
    y0 = r - w;
    if (j - Exponent(y0) > 49) {
      t = r;
      w = fn * pio2_3;
      r = t - w;
      w = fn * pio2_3t - ((t - r) - w);
      y0 = r - w;
    }
  }
  y1 = (r - y0) - w;
  return n;
}

}  // namespace

SinCosResult SinCos(double x) {
  const double ax = std::fabs(x);
  if (!(ax <= 8.0e5)) return {std::sin(x), std::cos(x)};
  if (ax <= kQuarterPi) return {KernelSin(x, 0.0), KernelCos(x, 0.0)};
  double y0, y1;
  const int n = ReduceByHalfPi(x, y0, y1);
  const double s = KernelSin(y0, y1), c = KernelCos(y0, y1);
  switch (n & 3) {
    case 0: return {s, c};
    case 1: return {c, -s};
    case 2: return {-s, -c};
    default: return {-c, s};
  }
}

}  // namespace tl
