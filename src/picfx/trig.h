#pragma once
// Sine and cosine for the pixel routines. The C libraries of our builds
// differ in their last bits, and a last bit can move a rounded pixel
// position; these give the same doubles on every build (within one unit in
// the last place of the exact values).
namespace tl {

struct SinCosResult {
  double sin, cos;
};

// For |x| up to about 8e5 radians; beyond that (and for NaN or infinity) the
// C library's functions answer.
SinCosResult SinCos(double x);

}  // namespace tl
