#pragma once
// The palette routine: twenty colour operations that change each pixel of
// the working plane by itself (opcodes 0 to 19; any other changes nothing).
//
//   0-9, 11  pattern operations over pixel pairs (an odd last pixel is kept)
//   10       noise seeded by the argument word a
//   12-19    grey and black/white tests on blue, green and red
#include <cstddef>
#include <cstdint>
#include <optional>

#include "picfx/pal_pattern.h"
#include "picfx/routine_params.h"

namespace tl {

struct PalPattern {
  uint32_t pattern;
  PatternOp op;
};
// The pattern and byte operation of a pattern opcode; nullopt for the others.
std::optional<PalPattern> PatternForOpcode(int32_t opcode, int32_t amount);

// dst := the palette operation applied to src, `pixels` pixels of 4 bytes.
// src may equal dst (in place); otherwise they must not overlap.
void ApplyPalette(int32_t opcode, int32_t amount, uint32_t seed, const uint8_t* src,
                  uint8_t* dst, size_t pixels);

// The routine-table entry: in place on the working plane, with the opcode,
// Amount, W and H of the record and the noise seed a; b and c are not read.
uint32_t PalRoutine(const RoutineCall& call);

}  // namespace tl
