// The fade's pixel work at full-screen sizes, against a memcpy of one plane
// of the same size (see bench_measure.h for the ratios).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench_measure.h"
#include "picfx/pal_routine.h"
#include "picfx/tidelight_c.h"
#include "backends/headless/headless_platform.h"

namespace {

using bench::Measure;
using bench::PlaneBytes;
using bench::RandomBytes;

void BM_MemcpyPlane(benchmark::State& state) {
  const size_t bytes = PlaneBytes(state);
  std::vector<uint8_t> src = RandomBytes(bytes), dst(bytes, 1);
  Measure(state, [&] { std::memcpy(dst.data(), src.data(), bytes); });
}

void PalOpcode(benchmark::State& state, int32_t opcode) {
  std::vector<uint8_t> picBits = RandomBytes(PlaneBytes(state) * 3);
  tl::RoutineParams params;
  params.width = static_cast<int32_t>(state.range(0));
  params.height = static_cast<int32_t>(state.range(1));
  params.amount = 100;
  params.opcode = opcode;
  Measure(state, [&] { tl::PalRoutine(tl::CallOn(params, picBits, tl::kDefaultArgument)); });
}

void BM_PalOpcode6(benchmark::State& state) { PalOpcode(state, 6); }
void BM_PalOpcode7(benchmark::State& state) { PalOpcode(state, 7); }

// One step of the saver's fade: restore, darken (saving the undo plane),
// draw into the box's pixels.
void BM_FadeStep(benchmark::State& state) {
  tl::HeadlessPlatform platform;
  tl::RandomGenerator random;
  tl::PictureBox box(platform, true);
  box.Resize(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
  const std::vector<uint8_t> picture = RandomBytes(PlaneBytes(state));
  std::memcpy(box.Pixels().Data(), picture.data(), picture.size());
  tl::Tidelight_C engine(platform, random);
  engine.PictureBox(box);
  int16_t amount = 0;
  Measure(state, [&] {
    engine.UndoLastDontDraw();
    engine.ASM_IncrementalPalEffects(7, amount);
    amount = static_cast<int16_t>((amount + 24) % 256);
  });
}

#define TL_SIZES \
  ->Args({1920, 1080})->Args({3840, 2160})->UseManualTime()->Unit(benchmark::kMillisecond)
BENCHMARK(BM_MemcpyPlane) TL_SIZES;
BENCHMARK(BM_PalOpcode6) TL_SIZES;
BENCHMARK(BM_PalOpcode7) TL_SIZES;
BENCHMARK(BM_FadeStep) TL_SIZES;

}  // namespace
