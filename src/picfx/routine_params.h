#pragma once
// The parameter record every pixel routine reads, and the routines' call form.
#include <cstddef>
#include <cstdint>
#include <span>

namespace tl {

// Seven consecutive signed 32-bit fields at fixed byte offsets.
struct RoutineParams {
  int32_t width = 0;          // pixels per row
  int32_t height = 0;         // rows per plane
  int32_t plane1Address = 0;  // low 32 bits of plane 1's address; no routine reads it
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

// One call of a pixel routine. A 32-bit field can hold neither a plane's
// address nor the row table's on a 64-bit build, so the planes travel as
// bounded spans and the row table as a typed side argument; a routine never
// touches bytes outside them.
struct RoutineCall {
  const RoutineParams* params = nullptr;
  std::span<uint8_t> initial;  // plane 1
  std::span<uint8_t> working;  // plane 2
  std::span<uint8_t> undo;     // plane 3
  uint32_t a = 0, b = 0, c = 0;
  // PixelRoutine opcode 3: t(1) ... t(M), one entry per row at least.
  std::span<const float> rowTable;

  // W x H when the record's size is positive and every plane holds that
  // many pixels; 0 otherwise, and a routine then does nothing.
  size_t Pixels() const {
    if (params == nullptr || params->width <= 0 || params->height <= 0) return 0;
    const uint64_t n = uint64_t(uint32_t(params->width)) * uint32_t(params->height);
    if (n * 4 > initial.size() || n * 4 > working.size() || n * 4 > undo.size()) return 0;
    return static_cast<size_t>(n);
  }
};

// A call over one block of three consecutive planes of the record's size.
// A block too small for them gives empty planes.
inline RoutineCall CallOn(const RoutineParams& params, std::span<uint8_t> block, uint32_t a = 0,
                          uint32_t b = 0, uint32_t c = 0) {
  RoutineCall call;
  call.params = &params;
  call.a = a;
  call.b = b;
  call.c = c;
  if (params.width > 0 && params.height > 0) {
    const uint64_t plane = uint64_t(uint32_t(params.width)) * uint32_t(params.height) * 4;
    if (plane * 3 <= block.size()) {
      const size_t p = static_cast<size_t>(plane);
      call.initial = block.subspan(0, p);
      call.working = block.subspan(p, p);
      call.undo = block.subspan(2 * p, p);
    }
  }
  return call;
}

// A pixel routine; the class ignores its result.
using RoutineFn = uint32_t (*)(const RoutineCall& call);

// The argument word 0x40000000: the bits of the single-precision 2.0.
inline constexpr uint32_t kDefaultArgument = 0x40000000u;

}  // namespace tl
