// A whole reveal of a full-HD picture (growing circle, 10 circles a pass,
// 111 passes), as a multiple of copying one picture plane with memcpy.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>

#include "../tests/reveal_reference.h"
#include "saver/reveal_compositor.h"
#include "saver/reveal_shapes.h"

namespace {

constexpr int32_t kW = 1920, kH = 1080;

tl::Surface Picture(uint32_t seed) {
  tl::Surface s(kW, kH);
  for (int32_t y = 0; y < kH; ++y)
    for (int32_t x = 0; x < kW; ++x) s.At(x, y) = (uint32_t(x * 7 + y * 13) * seed) & 0xFFFFFF;
  return s;
}

// One plane's memcpy, the best of several, measured in this process.
double PlaneCopySeconds() {
  const tl::Surface from = Picture(3);
  tl::Surface to(kW, kH);
  double best = 1e9;
  for (int i = 0; i < 20; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    std::memcpy(to.Data(), from.Data(), from.ByteSize());
    benchmark::DoNotOptimize(to.Data());
    benchmark::ClobberMemory();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best;
}

void BM_memcpy_plane_1920x1080(benchmark::State& state) {
  const tl::Surface from = Picture(3);
  tl::Surface to(kW, kH);
  for (auto _ : state) {
    std::memcpy(to.Data(), from.Data(), from.ByteSize());
    benchmark::DoNotOptimize(to.Data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(from.ByteSize()));
}
BENCHMARK(BM_memcpy_plane_1920x1080);

void BM_reveal_1920x1080_circle_count10(benchmark::State& state) {
  const double plane = PlaneCopySeconds();
  const tl::Surface source = Picture(5);
  tl::Surface target = Picture(7);
  int passes = 0;
  double total = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    tl::RevealShapes growth(2, kW, kH, 10);
    tl::RevealCompositor compositor(target, source, kW, kH);
    passes = 0;
    while (!growth.Finished()) {
      compositor.BeginPass();
      growth.Pass(compositor);
      benchmark::DoNotOptimize(compositor.EndPass());
      ++passes;
    }
    benchmark::DoNotOptimize(compositor.Complete());
    benchmark::ClobberMemory();
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["passes"] = passes;
  state.counters["x_memcpy"] = total / double(state.iterations()) / plane;
}
BENCHMARK(BM_reveal_1920x1080_circle_count10)->Unit(benchmark::kMillisecond);

// The plain method for comparison: four whole-picture transfers every pass.
void BM_reveal_mask_method_1920x1080_circle_count10(benchmark::State& state) {
  const double plane = PlaneCopySeconds();
  const tl::Surface source = Picture(5);
  tl::Surface target = Picture(7);
  double total = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    tl::RevealShapes growth(2, kW, kH, 10);
    tl::MaskReveal mask(kW, kH);
    while (!growth.Finished()) {
      growth.Pass(mask);
      mask.Compose(target, source);
    }
    benchmark::ClobberMemory();
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["x_memcpy"] = total / double(state.iterations()) / plane;
}
BENCHMARK(BM_reveal_mask_method_1920x1080_circle_count10)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
