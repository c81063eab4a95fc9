// Whole fade steps of the saver at full HD, as the program runs them on the
// headless platform: the engine's step, the reveal, and what the step does
// after it. A fixed number of steps, so that an instruction count (callgrind)
// of this benchmark alone is repeatable whatever the machine's load:
//   valgrind --tool=callgrind build/native-release/bench/tidelight_bench
//     --benchmark_filter=BM_saver_step
#include <benchmark/benchmark.h>

#include "backends/headless/headless_platform.h"
#include "bench_measure.h"
#include "saver/saver_window.h"
#include "shared/base_module.h"

namespace {

constexpr int32_t kW = 1920, kH = 1080;

void BM_saver_step_1920x1080(benchmark::State& state) {
  tl::HeadlessPlatform p;
  p.screenWidth = kW;
  p.screenHeight = kH;
  p.desktop.Resize(kW, kH);
  for (int32_t y = 0; y < kH; ++y)
    for (int32_t x = 0; x < kW; ++x) p.desktop.At(x, y) = (uint32_t(x * 7 + y * 13) * 5) & 0xFFFFFF;
  p.SetArguments("/s");
  tl::BaseModule base;
  base.settings.FadeDepth = 24;
  base.settings.FadeSpeed = 10;
  tl::Tidelight_S saver(p, base);
  saver.Load();
  // The message loop runs until the fade level moves and its reveal ends.
  const auto step = [&] {
    const int16_t before = saver.FadeLevel;
    for (int guard = 0; guard < 100000 && saver.FadeLevel == before && !p.ended; ++guard) p.Advance(1);
    while (base.TransitionRunning && !p.ended) p.Advance(1);
  };
  step();  // the first works out the reveal's plan, once for the program's life
  bench::MeasurePlane(state, size_t{kW} * kH * 4, step, [] {});
}
BENCHMARK(BM_saver_step_1920x1080)->Unit(benchmark::kMillisecond)->Iterations(16)->UseManualTime();

}  // namespace
