#pragma once
// The parameter record every pixel routine reads, and the routines' call form.
#include <cstddef>
#include <cstdint>
#include <span>

namespace tl {

// Seven consecutive signed 32-bit fields; a routine is handed the record's
// address and reads the fields at fixed byte offsets.
struct RoutineParams {
  int32_t width = 0;          // pixels per row
  int32_t height = 0;         // rows per plane
  int32_t plane1Address = 0;  // low 32 bits of plane 1's address (see below)
  int32_t reserved = 0;       // read by no routine
  int32_t amount = 0;         // the method's 16-bit Amount, sign-extended
  int32_t colour = 0;         // 0x00BBGGRR
  int32_t opcode = 0;         // the routine's sub-operation
};
static_assert(sizeof(RoutineParams) == 28);
static_assert(offsetof(RoutineParams, width) == 0);
static_assert(offsetof(RoutineParams, height) == 4);
static_assert(offsetof(RoutineParams, plane1Address) == 8);
static_assert(offsetof(RoutineParams, reserved) == 12);
static_assert(offsetof(RoutineParams, amount) == 16);
static_assert(offsetof(RoutineParams, colour) == 20);
static_assert(offsetof(RoutineParams, opcode) == 24);

// A pixel routine: the record's address and the three argument words a, b, c;
// the result is ignored by the class. A 32-bit field cannot hold the address
// of plane 1 on a 64-bit build, so the whole pixel block travels beside the
// record as a bounded span, and a routine never touches bytes outside it.
using RoutineFn = uint32_t (*)(RoutineParams* params, std::span<uint8_t> picBits, uint32_t a,
                               uint32_t b, uint32_t c);

// The argument word 0x40000000: the bits of the single-precision 2.0.
inline constexpr uint32_t kDefaultArgument = 0x40000000u;

}  // namespace tl
