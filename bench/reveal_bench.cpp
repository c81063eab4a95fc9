// A whole reveal of a full-HD picture (growing circle, 10 circles a pass,
// 111 passes), as a multiple of copying one picture plane with memcpy
// (time_vs_memcpy, see bench_measure.h).
#include <benchmark/benchmark.h>

#include <cstring>

#include "../tests/reveal_reference.h"
#include "bench_measure.h"
#include "saver/reveal_compositor.h"
#include "saver/reveal_plan.h"
#include "saver/reveal_shapes.h"

namespace {

constexpr int32_t kW = 1920, kH = 1080;
constexpr size_t kPlaneBytes = size_t{kW} * kH * 4;

tl::Surface Picture(uint32_t seed) {
  tl::Surface s(kW, kH);
  for (int32_t y = 0; y < kH; ++y)
    for (int32_t x = 0; x < kW; ++x) s.At(x, y) = (uint32_t(x * 7 + y * 13) * seed) & 0xFFFFFF;
  return s;
}

// As the saver runs every fade step: the plan of its size replayed.
void BM_reveal_1920x1080_circle_count10(benchmark::State& state) {
  const tl::Surface source = Picture(5), old = Picture(7);
  tl::Surface target = old;
  const auto plan = tl::RevealPlan::For(kW, kH, 10);
  bench::MeasurePlane(
      state, kPlaneBytes,
      [&] {
        for (int32_t pass = 0; pass <= plan->Passes(); ++pass)
          benchmark::DoNotOptimize(plan->Replay(pass, target, source).data());
      },
      // Each reveal starts from the old picture, as a fade step does.
      [&] { std::memcpy(target.Data(), old.Data(), kPlaneBytes); });
  state.counters["passes"] = plan->Passes();
}
BENCHMARK(BM_reveal_1920x1080_circle_count10)->Unit(benchmark::kMillisecond);

// Working the plan out, once per size and speed.
void BM_reveal_plan_1920x1080_circle_count10(benchmark::State& state) {
  bench::MeasurePlane(state, kPlaneBytes, [&] {
    benchmark::DoNotOptimize(tl::RevealPlan::Make(kW, kH, 10, size_t{1} << 30).get());
  }, [] {});
}
BENCHMARK(BM_reveal_plan_1920x1080_circle_count10)->Unit(benchmark::kMillisecond);

// Without a plan: each pass draws what shows of its circles.
void BM_reveal_outer_circles_1920x1080_circle_count10(benchmark::State& state) {
  const tl::Surface source = Picture(5), old = Picture(7);
  tl::Surface target = old;
  bench::MeasurePlane(
      state, kPlaneBytes,
      [&] {
        tl::RevealShapes growth(2, kW, kH, 10);
        tl::RevealCompositor compositor(target, source, kW, kH);
        while (!growth.Finished()) {
          compositor.BeginPass();
          growth.OuterPass(compositor);
          benchmark::DoNotOptimize(compositor.EndPass());
        }
        benchmark::DoNotOptimize(compositor.Complete());
      },
      [&] { std::memcpy(target.Data(), old.Data(), kPlaneBytes); });
}
BENCHMARK(BM_reveal_outer_circles_1920x1080_circle_count10)->Unit(benchmark::kMillisecond);

// Every circle of every pass drawn, as the rule is written.
void BM_reveal_every_circle_1920x1080_circle_count10(benchmark::State& state) {
  const tl::Surface source = Picture(5), old = Picture(7);
  tl::Surface target = old;
  bench::MeasurePlane(
      state, kPlaneBytes,
      [&] {
        tl::RevealShapes growth(2, kW, kH, 10);
        tl::RevealCompositor compositor(target, source, kW, kH);
        while (!growth.Finished()) {
          compositor.BeginPass();
          growth.Pass(compositor);
          benchmark::DoNotOptimize(compositor.EndPass());
        }
        benchmark::DoNotOptimize(compositor.Complete());
      },
      [&] { std::memcpy(target.Data(), old.Data(), kPlaneBytes); });
}
BENCHMARK(BM_reveal_every_circle_1920x1080_circle_count10)->Unit(benchmark::kMillisecond);

// The plain method for comparison: four whole-picture transfers every pass.
void BM_reveal_mask_method_1920x1080_circle_count10(benchmark::State& state) {
  const tl::Surface source = Picture(5);
  tl::Surface target = Picture(7);
  bench::MeasurePlane(state, kPlaneBytes, [&] {
    tl::RevealShapes growth(2, kW, kH, 10);
    tl::MaskReveal mask(kW, kH);
    while (!growth.Finished()) {
      growth.Pass(mask);
      mask.Compose(target, source);
    }
  }, [] {});
}
BENCHMARK(BM_reveal_mask_method_1920x1080_circle_count10)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
