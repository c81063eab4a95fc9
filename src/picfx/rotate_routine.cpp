#include "picfx/rotate_routine.h"

#include <bit>
#include <vector>

#include "picfx/resample.h"
#include "picfx/trig.h"

namespace tl {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The source position of every pixel of one row:
//   fx = (x - cX) cs - (y - cY) sn + cX,  fy = (y - cY) cs + (x - cX) sn + cY,
// each product the same double whichever pixel it is computed for, so the
// column terms are computed once per call and the row terms once per row.
class Positions {
 public:
  Positions(int32_t width, double cX, double cY, double cs, double sn)
      : cX_(cX), cY_(cY), cs_(cs), sn_(sn), colCs_(width), colSn_(width) {
    for (int32_t x = 1; x <= width; ++x) {
      colCs_[x - 1] = (x - cX) * cs;
      colSn_[x - 1] = (x - cX) * sn;
    }
  }
  void Row(int32_t y, double* fx, double* fy) const {
    const double rowSn = (y - cY_) * sn_, rowCs = (y - cY_) * cs_;
    const size_t n = colCs_.size();
    size_t i = 0;
#if defined(__SSE2__)
    const __m128d vSn = _mm_set1_pd(rowSn), vCs = _mm_set1_pd(rowCs);
    const __m128d vX = _mm_set1_pd(cX_), vY = _mm_set1_pd(cY_);
    for (; i + 2 <= n; i += 2) {
      _mm_storeu_pd(fx + i, _mm_add_pd(_mm_sub_pd(_mm_loadu_pd(&colCs_[i]), vSn), vX));
      _mm_storeu_pd(fy + i, _mm_add_pd(_mm_add_pd(vCs, _mm_loadu_pd(&colSn_[i])), vY));
    }
#endif
    for (; i < n; ++i) {
      fx[i] = (colCs_[i] - rowSn) + cX_;
      fy[i] = (rowCs + colSn_[i]) + cY_;
    }
  }

 private:
  double cX_, cY_, cs_, sn_;
  std::vector<double> colCs_, colSn_;
};

}  // namespace

uint32_t RotateRoutine(const RoutineCall& call) {
  if (call.Pixels() == 0) return 0;
  const RoutineParams& params = *call.params;
  const int32_t op = params.opcode;
  if (op < 0 || op > 3) return 0;
  const int32_t w = params.width, h = params.height;
  const SamplePlanes planes{op <= 1 ? call.undo.data() : call.initial.data(), call.working.data(),
                            w, h, PixelOf(ChannelsOf(params.colour))};
  const double cX = std::bit_cast<float>(call.a);
  const double cY = h - double{std::bit_cast<float>(call.b)};
  const SinCosResult t = SinCos(static_cast<int32_t>(call.c) * kPi / 180);
  const Positions positions(w, cX, cY, static_cast<float>(t.cos), static_cast<float>(t.sin));
  std::vector<double> fx(static_cast<size_t>(w)), fy(static_cast<size_t>(w));
  if ((op & 1) == 0) {
    for (int32_t y = 1; y <= h; ++y) {
      positions.Row(y, fx.data(), fy.data());
      NearestRow(planes, y, fx.data(), fy.data());
    }
    return 0;
  }
  std::vector<float> sx(static_cast<size_t>(w)), sy(static_cast<size_t>(w));
  for (int32_t y = 1; y <= h; ++y) {
    positions.Row(y, fx.data(), fy.data());
    for (int32_t i = 0; i < w; ++i) {
      sx[i] = static_cast<float>(fx[i]);
      sy[i] = static_cast<float>(fy[i]);
    }
    BilinearRow(planes, y, sx.data(), sy.data());
  }
  return 0;
}

}  // namespace tl
