#pragma once
// The palette routine's pattern operations: every byte of every pixel pair
// combined with the matching byte of a 32-bit pattern, 8 bytes at a time.
#include <cstddef>
#include <cstdint>

namespace tl {

enum class PatternOp {
  AddSaturate,       // min(255, v + p)
  SubtractSaturate,  // max(0, v - p)
  AddWrap,           // (v + p) mod 256
  SubtractWrap,      // (v - p) mod 256
  Invert,            // 255 - v (the pattern is all ones)
};

// dst := op(src, pattern) over `pairs` pixel pairs (8 bytes each). src may
// equal dst; otherwise the two must not overlap. Uses SSE2 where the build
// has it, else ApplyPatternScalar.
void ApplyPattern(const uint8_t* src, uint8_t* dst, size_t pairs, uint32_t pattern,
                  PatternOp op);

// The plain byte loop: the fallback, and the reference the SSE2 loop is held to.
void ApplyPatternScalar(const uint8_t* src, uint8_t* dst, size_t pairs, uint32_t pattern,
                        PatternOp op);

}  // namespace tl
