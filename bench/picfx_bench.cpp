// The fade's pixel work at full-screen sizes, against a memcpy of one plane
// of the same size. The machines this runs on are shared and noisy, so each
// iteration times the work and then one plane memcpy, back to back, and the
// ratios compare the two sums:
//   speed_vs_memcpy  memcpy time / this time (1.0 = as fast as memcpy)
//   time_vs_memcpy   this time / memcpy time (planes' worth of memcpy)
// The Time column is the work alone.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "picfx/pal_routine.h"
#include "picfx/tidelight_c.h"
#include "backends/headless/headless_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<uint8_t> RandomBytes(size_t n) {
  std::mt19937 gen(7);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>(gen());
  return v;
}

size_t PlaneBytes(const benchmark::State& state) {
  return static_cast<size_t>(state.range(0)) * static_cast<size_t>(state.range(1)) * 4;
}

// Runs `work` once per iteration, each followed by a timed memcpy of one plane.
template <typename Work>
void Measure(benchmark::State& state, Work&& work) {
  const size_t bytes = PlaneBytes(state);
  std::vector<uint8_t> from = RandomBytes(bytes), to(bytes, 1);
  double workSeconds = 0, memcpySeconds = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    work();
    benchmark::ClobberMemory();
    const auto t1 = Clock::now();
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
    const auto t2 = Clock::now();
    const double w = std::chrono::duration<double>(t1 - t0).count();
    workSeconds += w;
    memcpySeconds += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(w);
  }
  state.counters["speed_vs_memcpy"] = memcpySeconds / workSeconds;
  state.counters["time_vs_memcpy"] = workSeconds / memcpySeconds;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

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
