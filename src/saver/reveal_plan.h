#pragma once
// The copies of a whole growing-circle reveal, worked out once for a picture
// size and a count and replayed at every fade step: each step reveals the
// same rows in the same passes, only the pixels differ. Replaying a pass
// copies its runs and reports its pieces, exactly as the compositor working
// them out pass by pass would, without drawing a circle or keeping a row's
// state.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "gfx/surface.h"

namespace tl {

class RevealPlan {
 public:
  // The plan of a reveal of width x height pixels growing `count` a pass,
  // made on first use and kept for the program's life (a few sizes at most:
  // one per monitor size). Null where a plan would take too much memory,
  // as one growing a pixel a pass on a very large picture would; such a
  // reveal is worked out pass by pass instead.
  // Its pieces are joined as the compositor's `pieceSlack` says.
  static std::shared_ptr<const RevealPlan> For(int32_t width, int32_t height, int32_t count,
                                               int32_t pieceSlack = kDefaultPieceSlack);
  // The same, made afresh and not kept (tests compare it with the compositor).
  static std::unique_ptr<RevealPlan> Make(int32_t width, int32_t height, int32_t count,
                                          size_t maxRuns, int32_t pieceSlack = kDefaultPieceSlack);

  // Small pieces are merged rather than each presented on its own.
  static constexpr int32_t kDefaultPieceSlack = 4096;

  int32_t Width() const { return w_; }
  int32_t Height() const { return h_; }
  // The passes, then the completion (the corners no circle reached).
  int32_t Passes() const { return static_cast<int32_t>(passRuns_.size()) - 2; }

  // Copies pass `pass` (0 <= pass < Passes(), or Passes() for the completion)
  // from `source` onto `target`, both Width() x Height(), and returns the
  // pieces to present.
  std::span<const Rect> Replay(int32_t pass, Surface& target, const Surface& source) const;
  // The bounding box of a pass's pieces.
  Rect Box(int32_t pass) const { return boxes_[static_cast<size_t>(pass)]; }

  // Building, for the compositor's recording mode.
  RevealPlan(int32_t width, int32_t height) : w_(width), h_(height) {}
  void AddRun(int32_t y, int32_t left, int32_t right) {
    const uint32_t at =
        static_cast<uint32_t>(y) * static_cast<uint32_t>(w_) + static_cast<uint32_t>(left);
    runs_.push_back({at, static_cast<uint32_t>(right - left)});
  }
  void ClosePass(std::span<const Rect> pieces, Rect box);
  size_t RunCount() const { return runs_.size(); }

 private:
  // A run: where it starts in the picture's pixels, and its length.
  struct Run {
    uint32_t at, length;
  };
  int32_t w_, h_;
  std::vector<Run> runs_;
  std::vector<Rect> pieces_, boxes_;
  std::vector<uint32_t> passRuns_{0}, passPieces_{0};  // where each pass starts
};

}  // namespace tl
