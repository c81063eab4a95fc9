#pragma once
// Timing against a memcpy of one plane. The machines this runs on are shared
// and noisy, so each iteration times the work and then one plane memcpy,
// back to back, in the thread's processor time (time spent waiting for a
// core is not counted), and the ratios compare the two sums:
//   speed_vs_memcpy  memcpy time / this time (1.0 = as fast as memcpy)
//   time_vs_memcpy   this time / memcpy time (planes' worth of memcpy)
// The Time column is the work alone.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

namespace bench {

inline std::vector<uint8_t> RandomBytes(size_t n, uint32_t seed = 7) {
  std::mt19937 gen(seed);
  std::vector<uint8_t> v(n);
  for (auto& b : v) b = static_cast<uint8_t>(gen());
  return v;
}

inline size_t PlaneBytes(const benchmark::State& state) {
  return static_cast<size_t>(state.range(0)) * static_cast<size_t>(state.range(1)) * 4;
}

// Runs `work` once per iteration, each followed by a timed memcpy of one
// plane of `bytes`; `prepare` runs before each `work`, untimed.
// The processor time this thread has used.
struct ThreadClock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<ThreadClock>;
  static time_point now() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return time_point(duration(int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec));
  }
};

template <typename Work, typename Prepare>
void MeasurePlane(benchmark::State& state, size_t bytes, Work&& work, Prepare&& prepare) {
  using Clock = ThreadClock;
  std::vector<uint8_t> from = RandomBytes(bytes), to(bytes, 1);
  double workSeconds = 0, memcpySeconds = 0;
  for (auto _ : state) {
    prepare();
    benchmark::ClobberMemory();
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

// The same for a plane of the benchmark's arguments (width, height).
template <typename Work, typename Prepare>
void Measure(benchmark::State& state, Work&& work, Prepare&& prepare) {
  MeasurePlane(state, PlaneBytes(state), work, prepare);
}

template <typename Work>
void Measure(benchmark::State& state, Work&& work) {
  Measure(state, work, [] {});
}

}  // namespace bench
