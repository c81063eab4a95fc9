// A whole reveal of a full-HD picture (growing circle, 10 circles a pass,
// 111 passes), as a multiple of copying one picture plane with memcpy.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

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

// One plane's memcpy measured in this process, as the memcpy baseline
// (BM_MemcpyPlane/1920/1080) sees it: planes that do not sit in the cache,
// so the copies cycle through more planes than the cache holds.
double PlaneCopySeconds() {
  constexpr int kPlanes = 8;
  std::vector<tl::Surface> from, to;
  for (int i = 0; i < kPlanes; ++i) {
    from.push_back(Picture(3 + i));
    to.emplace_back(kW, kH);
  }
  double total = 0;
  constexpr int kCopies = 4 * kPlanes;
  for (int i = 0; i < kCopies; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    std::memcpy(to[i % kPlanes].Data(), from[i % kPlanes].Data(), from[0].ByteSize());
    benchmark::DoNotOptimize(to[i % kPlanes].Data());
    benchmark::ClobberMemory();
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  return total / kCopies;
}

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
