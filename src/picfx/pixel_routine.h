#pragma once
// The pixel routine: filters and distortions that read the undo plane
// (plane 3) and write the working plane (plane 2).
//
//   0  smoothing (Amount 1, 2, 4 or 8)   3  row wave through the row table
//   1  edge lift                          4  emboss
//   2  relief                             5  swirl (Amount 1, 2, 4: a quarter,
//   other opcodes change nothing              half, three quarters of a turn;
//                                             any other: a whole turn)
#include <cstdint>
#include <span>
#include <vector>

#include "picfx/pixel_ops.h"
#include "picfx/routine_params.h"

namespace tl {

uint32_t PixelRoutine(const RoutineCall& call);

// The row table of opcode 3 for a width x height picture: for i = 1 to
// max(W, H), t(i) = i + 2 Amount sin(i / 5) in double precision, stored in
// single precision and kept within 1 .. H.
std::vector<float> BuildRowTable(int32_t width, int32_t height, int32_t amount);

// Opcode 3 on planes of width x height: row y of dst := row round(t(y)) of
// src. A row whose entry is missing or rounds outside 1 .. height keeps its
// pixels.
void RowWave(const uint8_t* src, uint8_t* dst, int32_t width, int32_t height,
             std::span<const float> rowTable);

// Opcode 5.
void Swirl(const uint8_t* src, uint8_t* dst, int32_t width, int32_t height, int32_t amount,
           Bgr colour);

}  // namespace tl
