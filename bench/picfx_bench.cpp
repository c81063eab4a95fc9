// The fade's pixel work at full-screen sizes. Each benchmark reports, beside
// its time, its ratio to a memcpy of one plane of the same size measured in
// this process:
//   speed_vs_memcpy  memcpy time / this time (1.0 = as fast as memcpy)
//   time_vs_memcpy   this time / memcpy time (planes' worth of memcpy)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "picfx/pal_routine.h"
#include "picfx/tidelight_c.h"
#include "toolkit/headless/headless_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<uint8_t> RandomBytes(size_t n) {
  std::mt19937 gen(7);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>(gen());
  return v;
}

// Median seconds of one memcpy of `bytes` between two buffers, measured
// right after each benchmark so that both see the same machine load.
double MemcpySeconds(size_t bytes) {
  static std::vector<uint8_t> src, dst;
  if (src.size() != bytes) {
    src = RandomBytes(bytes);
    dst.assign(bytes, 1);
  }
  std::vector<double> runs;
  for (int i = 0; i < 25; ++i) {
    const auto t0 = Clock::now();
    std::memcpy(dst.data(), src.data(), bytes);
    benchmark::ClobberMemory();
    runs.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

void ReportRatios(benchmark::State& state, double seconds, size_t planeBytes) {
  const double perIteration = seconds / static_cast<double>(state.iterations());
  const double memcpyTime = MemcpySeconds(planeBytes);
  state.counters["speed_vs_memcpy"] = memcpyTime / perIteration;
  state.counters["time_vs_memcpy"] = perIteration / memcpyTime;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * planeBytes));
}

size_t PlaneBytes(const benchmark::State& state) {
  return static_cast<size_t>(state.range(0)) * static_cast<size_t>(state.range(1)) * 4;
}

void BM_MemcpyPlane(benchmark::State& state) {
  const size_t bytes = PlaneBytes(state);
  std::vector<uint8_t> src = RandomBytes(bytes), dst(bytes, 1);
  const auto t0 = Clock::now();
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), bytes);
    benchmark::ClobberMemory();
  }
  ReportRatios(state, std::chrono::duration<double>(Clock::now() - t0).count(), bytes);
}

void PalOpcode(benchmark::State& state, int32_t opcode) {
  const size_t bytes = PlaneBytes(state);
  std::vector<uint8_t> picBits = RandomBytes(bytes * 3);
  tl::RoutineParams params;
  params.width = static_cast<int32_t>(state.range(0));
  params.height = static_cast<int32_t>(state.range(1));
  params.amount = 100;
  params.opcode = opcode;
  const auto t0 = Clock::now();
  for (auto _ : state) {
    tl::PalRoutine(&params, picBits, tl::kDefaultArgument, 0, 0);
    benchmark::ClobberMemory();
  }
  ReportRatios(state, std::chrono::duration<double>(Clock::now() - t0).count(), bytes);
}

void BM_PalOpcode6(benchmark::State& state) { PalOpcode(state, 6); }
void BM_PalOpcode7(benchmark::State& state) { PalOpcode(state, 7); }

// One step of the saver's fade: restore, darken, draw into the box.
void BM_FadeStep(benchmark::State& state) {
  const auto w = static_cast<int32_t>(state.range(0));
  const auto h = static_cast<int32_t>(state.range(1));
  tl::HeadlessPlatform platform;
  tl::RandomGenerator random;
  tl::PictureBox box(platform, true);
  box.Resize(w, h);
  const std::vector<uint8_t> picture = RandomBytes(PlaneBytes(state));
  std::memcpy(box.Pixels().Data(), picture.data(), picture.size());
  tl::Tidelight_C engine(platform, random);
  engine.PictureBox(box);
  int16_t amount = 0;
  const auto t0 = Clock::now();
  for (auto _ : state) {
    engine.UndoLastDontDraw();
    engine.ASM_IncrementalPalEffects(7, amount);
    amount = static_cast<int16_t>((amount + 24) % 256);
    benchmark::ClobberMemory();
  }
  ReportRatios(state, std::chrono::duration<double>(Clock::now() - t0).count(), PlaneBytes(state));
}

#define TL_SIZES ->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)
BENCHMARK(BM_MemcpyPlane) TL_SIZES;
BENCHMARK(BM_PalOpcode6) TL_SIZES;
BENCHMARK(BM_PalOpcode7) TL_SIZES;
BENCHMARK(BM_FadeStep) TL_SIZES;

}  // namespace
