// An hour of the saver on the headless back end's virtual clock, at
// 1920 x 1080 with music on, sampling the process's resident memory and its
// number of live allocations every virtual minute. From the second sample on
// (the first minutes settle one-time allocations: the first turn of the fade,
// the first restart of the music) neither may grow. Build it optimised (the native-release preset); it prints
// one line per sample and exits non-zero when something grew.
//   tidelight_soak [--minutes N] [--music mp3|cd] [--width W --height H]
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "backends/headless/headless_platform.h"
#include "backends/headless/headless_window.h"
#include "saver/saver_window.h"

namespace {

std::atomic<int64_t> liveAllocations{0};

int64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  int64_t size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

struct Sample {
  int minute;
  int64_t resident;
  int64_t allocations;
  int fadeLevel;
};

}  // namespace

void* operator new(size_t n) {
  ++liveAllocations;
  if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  --liveAllocations;
  std::free(p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

int main(int argc, char** argv) {
  int minutes = 60, width = 1920, height = 1080;
  std::string music = "mp3";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--minutes") minutes = std::atoi(argv[i + 1]);
    else if (a == "--music") music = argv[i + 1];
    else if (a == "--width") width = std::atoi(argv[i + 1]);
    else if (a == "--height") height = std::atoi(argv[i + 1]);
  }

  tl::HeadlessPlatform p;
  p.screenWidth = width;
  p.screenHeight = height;
  p.desktop.Resize(width, height);
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      p.desktop.At(x, y) = tl::Rgb(uint8_t(x * 7), uint8_t(y * 3), uint8_t(x ^ y));
  p.SetArguments("/s");
  tl::BaseModule base;
  base.settings.FadeDepth = 24;
  base.settings.FadeSpeed = 10;
  if (music == "cd") {
    base.settings.MusicKind = 1;
    base.settings.RepeatTrack = 2;
    p.media.Cd().numberOfTracks = "5";
    for (int t = 1; t <= 5; ++t) p.media.Cd().trackPositions[t] = std::to_string(t) + ":00:00:00";
  } else {
    base.settings.MusicKind = 2;
    base.settings.MusicFile = "C:\\Music\\tide.mp3";
  }

  tl::Tidelight_S saver(p, base);
  saver.Load();
  auto* window = p.FindWindow("Tidelight_Main");
  if (window == nullptr) return 2;

  std::vector<Sample> samples;
  for (int minute = 1; minute <= minutes && !p.ended; ++minute) {
    // The music ends now and then: the MP3 stops, the disc moves on.
    p.At(p.NowMs() + 20000, [&p] {
      p.media.devices["mpegvideo"].mode = "stopped";
      p.media.Cd().currentTrack = "3";
    });
    p.Advance(60000);
    // What the back end records for tests is not the program's memory.
    window->presented.clear();
    window->presented.shrink_to_fit();
    p.media.sent.clear();
    p.media.sent.shrink_to_fit();
    p.calls.clear();
    p.calls.shrink_to_fit();
    samples.push_back({minute, ResidentBytes(), liveAllocations.load(), saver.FadeLevel});
    const Sample& s = samples.back();
    std::printf("minute %3d  resident %8.1f MB  live allocations %6lld  fade level %3d\n",
                s.minute, s.resident / 1048576.0, static_cast<long long>(s.allocations),
                s.fadeLevel);
    std::fflush(stdout);
  }
  if (p.ended || samples.size() < 3) {
    std::printf("FAIL: the saver ended or ran less than three minutes\n");
    return 1;
  }
  const Sample& first = samples[1];
  int64_t maxResident = first.resident, maxAlloc = first.allocations;
  for (size_t i = 1; i < samples.size(); ++i) {
    const Sample& s = samples[i];
    maxResident = std::max(maxResident, s.resident);
    maxAlloc = std::max(maxAlloc, s.allocations);
  }
  // A page or two of slack for the allocator's own bookkeeping.
  const bool flat = maxResident - first.resident <= 256 * 1024 && maxAlloc == first.allocations;
  std::printf("%s: %d virtual minutes at %dx%d with %s music; resident %.1f -> %.1f MB, "
              "live allocations %lld -> %lld\n",
              flat ? "ok" : "FAIL", minutes, width, height, music.c_str(),
              first.resident / 1048576.0, samples.back().resident / 1048576.0,
              static_cast<long long>(first.allocations),
              static_cast<long long>(samples.back().allocations));
  return flat ? 0 : 1;
}
