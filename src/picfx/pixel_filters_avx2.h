#pragma once
// The neighbourhood filters eight pixels at a time with AVX2. This file's
// code is compiled for AVX2 alone and runs only where the processor has it;
// each function does the groups of eight pixels of one row from x to at most
// x1 (inclusive) and returns the first pixel it left for narrower code.
#include <cstddef>
#include <cstdint>

namespace tl::avx2 {

// True when the processor and the system run AVX2 code.
bool Available();

// Sum of the `count` neighbours at byte offsets `at`, each shifted right by
// `shift` bits first (the smoothing).
int32_t SumOfPartsRow(const uint8_t* src, uint8_t* dst, ptrdiff_t row, int32_t x, int32_t x1,
                      const ptrdiff_t* at, int count, int shift);
// The same sum over all eight neighbours (shift 3), from the column sums of
// the three rows: the three columns' sums less the centre. Byte sums wrap,
// but the result, below 256, comes out exact. `rowBytes` is a row's length;
// `scratch` holds (x1 - x + 3) pixels.
int32_t SmoothEightRow(const uint8_t* src, uint8_t* dst, ptrdiff_t row, int32_t x, int32_t x1,
                       ptrdiff_t rowBytes, uint8_t* scratch);
// 9 x centre - the nine pixels at `at` + colour, clamped (the edge lift).
int32_t EdgeLiftRow(const uint8_t* src, uint8_t* dst, ptrdiff_t row, int32_t x, int32_t x1,
                    const ptrdiff_t* at, const uint8_t* bgr);
// The emboss; `at` holds up, upper right, right, left, lower left, down.
int32_t EmbossRow(const uint8_t* src, uint8_t* dst, ptrdiff_t row, int32_t x, int32_t x1,
                  const ptrdiff_t* at, const uint8_t* bgr);

}  // namespace tl::avx2
