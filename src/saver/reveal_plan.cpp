#include "saver/reveal_plan.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "saver/reveal_compositor.h"
#include "saver/reveal_shapes.h"

namespace tl {

namespace {
// A plan takes 8 bytes a run, about two runs for each row a pass crosses: a
// full-HD reveal growing 10 a pass is about 1.3 MB, growing 1 a pass about
// 13 MB. Beyond this (24 MiB) the passes are worked out as they come.
constexpr size_t kMaxRuns = size_t{3} << 20;

// Copies n pixels. Most runs are a few dozen pixels at most: they are
// copied as one block from the start and one, overlapping it, to the end,
// a few unaligned moves of fixed size rather than a call.
template <size_t kBytes>
inline void CopyEnds(uint32_t* to, const uint32_t* from, uint32_t n) {
  constexpr uint32_t kPixels = kBytes / 4;
  std::memcpy(to, from, kBytes);
  std::memcpy(to + n - kPixels, from + n - kPixels, kBytes);
}

inline void CopyRun(uint32_t* to, const uint32_t* from, uint32_t n) {
  if (n <= 8) {
    if (n >= 4) return CopyEnds<16>(to, from, n);
    to[0] = from[0];
    to[n - 1] = from[n - 1];
    if (n == 3) to[1] = from[1];
    return;
  }
  if (n <= 16) return CopyEnds<32>(to, from, n);
  if (n <= 32) return CopyEnds<64>(to, from, n);
  std::memcpy(to, from, size_t{n} * 4);
}

// Monitors of different sizes each have a plan; more sizes than this at
// once (a changing desktop) drop the oldest.
constexpr size_t kKeptPlans = 4;

struct Kept {
  int32_t w, h, count, slack;
  std::shared_ptr<const RevealPlan> plan;  // null: too large, remembered as such
};
}  // namespace

std::unique_ptr<RevealPlan> RevealPlan::Make(int32_t width, int32_t height, int32_t count,
                                             size_t maxRuns, int32_t pieceSlack) {
  // A run's place is a 32-bit index into the picture.
  if (width <= 0 || height <= 0 || int64_t{width} * height > int64_t{UINT32_MAX}) return nullptr;
  auto plan = std::make_unique<RevealPlan>(width, height);
  RevealShapes growth(kGrowingCircle, width, height, count);
  RevealCompositor recorder(*plan, pieceSlack);
  while (!growth.Finished()) {
    recorder.BeginPass();
    growth.OuterPass(recorder);
    recorder.EndPass();
    if (plan->RunCount() > maxRuns) return nullptr;
  }
  recorder.Complete();
  plan->runs_.shrink_to_fit();
  plan->pieces_.shrink_to_fit();
  return plan;
}

std::shared_ptr<const RevealPlan> RevealPlan::For(int32_t width, int32_t height, int32_t count,
                                                  int32_t pieceSlack) {
  static std::vector<Kept> kept;
  count = std::max(count, 1);
  pieceSlack = std::max(pieceSlack, 0);
  for (const Kept& k : kept)
    if (k.w == width && k.h == height && k.count == count && k.slack == pieceSlack) return k.plan;
  if (kept.size() == kKeptPlans) kept.erase(kept.begin());
  kept.push_back(
      {width, height, count, pieceSlack, Make(width, height, count, kMaxRuns, pieceSlack)});
  return kept.back().plan;
}

void RevealPlan::ClosePass(std::span<const Rect> pieces, Rect box) {
  pieces_.insert(pieces_.end(), pieces.begin(), pieces.end());
  boxes_.push_back(box);
  passRuns_.push_back(static_cast<uint32_t>(runs_.size()));
  passPieces_.push_back(static_cast<uint32_t>(pieces_.size()));
}

std::span<const Rect> RevealPlan::Replay(int32_t pass, Surface& target,
                                         const Surface& source) const {
  const size_t p = static_cast<size_t>(pass);
  const Run* run = runs_.data() + passRuns_[p];
  const Run* end = runs_.data() + passRuns_[p + 1];
  // The runs lie in rows far apart in memory: fetch a few runs ahead, so
  // that the copies do not wait on memory one run at a time.
  constexpr ptrdiff_t kAhead = 64;
  uint32_t* to = target.Data();
  const uint32_t* from = source.Data();
  for (; run != end; ++run) {
    if (end - run > kAhead) {
      const Run& next = run[kAhead];
      __builtin_prefetch(from + next.at);
      __builtin_prefetch(from + next.at + next.length - 1);
      __builtin_prefetch(to + next.at, 1);
      __builtin_prefetch(to + next.at + next.length - 1, 1);
    }
    CopyRun(to + run->at, from + run->at, run->length);
  }
  return {pieces_.data() + passPieces_[p], pieces_.data() + passPieces_[p + 1]};
}

}  // namespace tl
