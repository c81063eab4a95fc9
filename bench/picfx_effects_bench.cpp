// The pixel, painting, rotation and magnification routines on a full-HD
// picture, against a memcpy of one plane (BM_MemcpyPlane/1920/1080 in
// picfx_bench.cpp; see bench_measure.h for the ratios). Each routine reads
// plane 3 and writes plane 2 (the glow works in place), so one plane's
// memcpy is their floor.
#include <benchmark/benchmark.h>

#include <bit>
#include <cstring>
#include <random>
#include <vector>

#include "bench_measure.h"
#include "gfx/pixel_memory.h"
#include "picfx/colorx_routine.h"
#include "picfx/magnify_routine.h"
#include "picfx/pixel_filters.h"
#include "picfx/pixel_routine.h"
#include "picfx/rotate_routine.h"

namespace {

using bench::Measure;
using bench::PlaneBytes;

struct Planes {
  tl::PixelMemory block;  // as the engine holds its planes
  tl::RoutineParams params;
  std::vector<float> rows;

  Planes(benchmark::State& state, int32_t opcode, int32_t amount, int32_t colour)
      : block(PlaneBytes(state) * 3) {
    const std::vector<uint8_t> random = bench::RandomBytes(block.size(), 11);
    std::memcpy(block.data(), random.data(), random.size());
    params.width = static_cast<int32_t>(state.range(0));
    params.height = static_cast<int32_t>(state.range(1));
    params.opcode = opcode;
    params.amount = amount;
    params.colour = colour;
  }
  tl::RoutineCall Call(uint32_t a = 0, uint32_t b = 0, uint32_t c = 0) {
    tl::RoutineCall call = tl::CallOn(params, {block.data(), block.size()}, a, b, c);
    call.rowTable = rows;
    return call;
  }
  uint32_t CentreX() const { return std::bit_cast<uint32_t>(float(params.width / 2)); }
  uint32_t CentreY() const { return std::bit_cast<uint32_t>(float(params.height / 2)); }
};

void Pixel(benchmark::State& state, int32_t opcode, int32_t amount) {
  Planes p(state, opcode, amount, 0x204060);
  if (opcode == 3) p.rows = tl::BuildRowTable(p.params.width, p.params.height, amount);
  Measure(state, [&] { tl::PixelRoutine(p.Call()); });
}
// The same filters held to SSE2, for comparison with the widest vectors.
void PixelSse2(benchmark::State& state, int32_t opcode, int32_t amount) {
  tl::UseFilterVectors(tl::FilterVectors::Sse2);
  Pixel(state, opcode, amount);
  tl::UseFilterVectors(tl::WidestFilterVectors());
}
void BM_smooth8(benchmark::State& state) { Pixel(state, 0, 8); }
void BM_smooth8_sse2(benchmark::State& state) { PixelSse2(state, 0, 8); }
void BM_edge_lift_sse2(benchmark::State& state) { PixelSse2(state, 1, 0); }
void BM_emboss_sse2(benchmark::State& state) { PixelSse2(state, 4, 0); }
void BM_smooth1(benchmark::State& state) { Pixel(state, 0, 1); }
void BM_edge_lift(benchmark::State& state) { Pixel(state, 1, 0); }
void BM_relief(benchmark::State& state) { Pixel(state, 2, 0); }
void BM_row_wave(benchmark::State& state) { Pixel(state, 3, 10); }
void BM_emboss(benchmark::State& state) { Pixel(state, 4, 0); }
void BM_swirl(benchmark::State& state) { Pixel(state, 5, 0); }

// 1 % of the working plane's pixels have exactly the glow's colour; the
// plane is restored (untimed) before each run.
void Glow(benchmark::State& state, int32_t opcode, int32_t amount) {
  const int32_t colour = 0x3080C0;
  Planes p(state, opcode, amount, colour);
  const size_t pixels = PlaneBytes(state) / 4;
  uint8_t* working = p.block.data() + pixels * 4;
  std::mt19937 gen(5);
  const uint8_t bgr[3] = {0xC0, 0x80, 0x30};
  for (size_t i = 0; i < pixels; ++i) {
    if (gen() % 100 == 0) {
      std::memcpy(working + i * 4, bgr, 3);
    } else if (working[i * 4] == bgr[0]) {
      working[i * 4] ^= 1;  // exactly 1 % match, no chance ones
    }
  }
  const std::vector<uint8_t> start(working, working + pixels * 4);
  const uint32_t a = std::bit_cast<uint32_t>(0.9f), b = std::bit_cast<uint32_t>(0.1f);
  Measure(state, [&] { tl::ColorXRoutine(p.Call(a, b)); },
          [&] { std::memcpy(working, start.data(), start.size()); });
}
void BM_glow_around_reach1(benchmark::State& state) { Glow(state, 4, 1); }
void BM_glow_around_reach4(benchmark::State& state) { Glow(state, 4, 8); }
void BM_glow_right_reach4(benchmark::State& state) { Glow(state, 8, 8); }

void Rotate(benchmark::State& state, int32_t opcode) {
  Planes p(state, opcode, 0, 0x000000);
  Measure(state, [&] { tl::RotateRoutine(p.Call(p.CentreX(), p.CentreY(), 30 + 360)); });
}
void BM_rotate_nearest(benchmark::State& state) { Rotate(state, 0); }
void BM_rotate_bilinear(benchmark::State& state) { Rotate(state, 1); }

void Magnify(benchmark::State& state, int32_t opcode) {
  Planes p(state, opcode, 0, 0x000000);
  Measure(state, [&] { tl::MagnifyRoutine(p.Call(p.CentreX(), p.CentreY(), 15)); });
}
void BM_magnify_nearest(benchmark::State& state) { Magnify(state, 0); }
void BM_magnify_bilinear(benchmark::State& state) { Magnify(state, 1); }

#define TL_FULL_HD ->Args({1920, 1080})->UseManualTime()->Unit(benchmark::kMillisecond)
BENCHMARK(BM_smooth8) TL_FULL_HD;
BENCHMARK(BM_smooth8_sse2) TL_FULL_HD;
BENCHMARK(BM_edge_lift_sse2) TL_FULL_HD;
BENCHMARK(BM_emboss_sse2) TL_FULL_HD;
BENCHMARK(BM_smooth1) TL_FULL_HD;
BENCHMARK(BM_edge_lift) TL_FULL_HD;
BENCHMARK(BM_relief) TL_FULL_HD;
BENCHMARK(BM_emboss) TL_FULL_HD;
BENCHMARK(BM_row_wave) TL_FULL_HD;
BENCHMARK(BM_swirl) TL_FULL_HD;
BENCHMARK(BM_glow_around_reach1) TL_FULL_HD;
BENCHMARK(BM_glow_around_reach4) TL_FULL_HD;
BENCHMARK(BM_glow_right_reach4) TL_FULL_HD;
BENCHMARK(BM_rotate_nearest) TL_FULL_HD;
BENCHMARK(BM_rotate_bilinear) TL_FULL_HD;
BENCHMARK(BM_magnify_nearest) TL_FULL_HD;
BENCHMARK(BM_magnify_bilinear) TL_FULL_HD;

}  // namespace
