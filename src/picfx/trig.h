#pragma once
// Sine and cosine for the pixel routines. The C libraries of our builds
// differ in their last bits, and a last bit can move a rounded pixel
// position; these give the same doubles on every build (within one unit in
// the last place of the exact values).
namespace tl {

// The coefficients and the pieces of pi/2, for the scalar form in trig.cpp
// and the vector form of the swirl (resample_avx2.cpp), which must agree to
// the last bit.
namespace trig {
inline constexpr double kS1 = -1.66666666666666324348e-01, kS2 = 8.33333333332248946124e-03,
                        kS3 = -1.98412698298579493134e-04, kS4 = 2.75573137070700676789e-06,
                        kS5 = -2.50507602534068634195e-08, kS6 = 1.58969099521155010221e-10;
inline constexpr double kC1 = 4.16666666666666019037e-02, kC2 = -1.38888888888741095749e-03,
                        kC3 = 2.48015872894767294178e-05, kC4 = -2.75573143513906633035e-07,
                        kC5 = 2.08757232129817482790e-09, kC6 = -1.13596475577881948265e-11;
inline constexpr double kInvPio2 = 6.36619772367581382433e-01, kPio2_1 = 1.57079632673412561417e+00,
                        kPio2_1t = 6.07710050650619224932e-11;
inline constexpr double kQuarterPi = 0.78539816339744827900;
}  // namespace trig

struct SinCosResult {
  double sin, cos;
};

// For |x| up to about 8e5 radians; beyond that (and for NaN or infinity) the
// C library's functions answer.
SinCosResult SinCos(double x);

}  // namespace tl
