#include "picfx/rotate_routine.h"

#include <bit>
#include <vector>

#include "picfx/pixel_filters.h"
#include "picfx/resample.h"
#include "picfx/trig.h"
#if defined(TIDELIGHT_AVX2)
#include "picfx/resample_avx2.h"
#endif

namespace tl {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The source position of every pixel:
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
  void StartRow(int32_t y) {
    rowSn_ = (y - cY_) * sn_;
    rowCs_ = (y - cY_) * cs_;
  }
  double Fx(int32_t x) const { return (colCs_[x - 1] - rowSn_) + cX_; }
#if defined(TIDELIGHT_AVX2)
  avx2::RotateRow Row(const SamplePlanes& p, int32_t y) const {
    return {p.src, p.Dst(1, y), p.width, colCs_.data(), colSn_.data(), rowSn_, rowCs_, cX_, cY_};
  }
#endif
  double Fy(int32_t x) const { return (rowCs_ + colSn_[x - 1]) + cY_; }
#if defined(__SSE2__)
  // Pixels x and x + 1.
  __m128d Fx2(int32_t x) const {
    return _mm_add_pd(_mm_sub_pd(_mm_loadu_pd(&colCs_[x - 1]), _mm_set1_pd(rowSn_)), _mm_set1_pd(cX_));
  }
  __m128d Fy2(int32_t x) const {
    return _mm_add_pd(_mm_add_pd(_mm_set1_pd(rowCs_), _mm_loadu_pd(&colSn_[x - 1])), _mm_set1_pd(cY_));
  }
#endif

 private:
  double cX_, cY_, cs_, sn_;
  double rowSn_ = 0, rowCs_ = 0;
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
  Positions at(w, cX, cY, static_cast<float>(t.cos), static_cast<float>(t.sin));
  const bool bilinear = (op & 1) != 0;
  const auto inside = [&](int32_t x) {
    return bilinear ? BilinearInside(planes, static_cast<float>(at.Fx(x)), static_cast<float>(at.Fy(x)))
                    : NearestInside(planes, at.Fx(x), at.Fy(x));
  };
  const auto sample = [&](int32_t x, int32_t y) {
    if (bilinear) {
      SampleBilinear(planes, planes.Dst(x, y), static_cast<float>(at.Fx(x)), static_cast<float>(at.Fy(x)));
    } else {
      SampleNearest(planes, planes.Dst(x, y), at.Fx(x), at.Fy(x));
    }
  };
#if defined(TIDELIGHT_AVX2)
  const bool wide = planes.QuadsFit() && WideVectorsChosen();
  std::vector<int32_t> doubtful(wide ? static_cast<size_t>(w) : 0);
#endif
  // Along a row both positions move one way, so the pixels that sample the
  // picture form one run a .. b; the rest take the fill colour.
  for (int32_t y = 1; y <= h; ++y) {
    at.StartRow(y);
    int32_t a = 1, b = w;
    while (a <= w && !inside(a)) StoreBgr(planes.Dst(a++, y), planes.fill);
    while (b >= a && !inside(b)) StoreBgr(planes.Dst(b--, y), planes.fill);
    int32_t x = a;
#if defined(TIDELIGHT_AVX2)
    if (wide) {
      const avx2::RotateRow row = at.Row(planes, y);
      if (!bilinear) {
        x = avx2::RotateNearestRun(row, x, b);
      } else {
        int32_t count = 0;
        const int32_t done = avx2::RotateBilinearRun(row, x, b, doubtful.data(), count);
        for (int32_t k = 0; k < count; ++k) {
          BilinearCell cell;
          const int32_t xk = doubtful[static_cast<size_t>(k)];
          CellOf(static_cast<float>(at.Fx(xk)), static_cast<float>(at.Fy(xk)), w, h, cell);
          StoreBgr(planes.Dst(xk, y), BlendExact(planes, cell));
        }
        x = done;
      }
    }
#endif
#if defined(__SSE2__)
    if (planes.QuadsFit()) {
      for (; x + 3 <= b; x += 4) {
        const __m128d fx01 = at.Fx2(x), fx23 = at.Fx2(x + 2);
        const __m128d fy01 = at.Fy2(x), fy23 = at.Fy2(x + 2);
        if (bilinear) {
          BilinearQuadInside(planes, planes.Dst(x, y),
                             _mm_movelh_ps(_mm_cvtpd_ps(fx01), _mm_cvtpd_ps(fx23)),
                             _mm_movelh_ps(_mm_cvtpd_ps(fy01), _mm_cvtpd_ps(fy23)));
        } else {
          NearestQuadInside(planes, planes.Dst(x, y), fx01, fx23, fy01, fy23);
        }
      }
    }
#endif
    for (; x <= b; ++x) sample(x, y);
  }
  return 0;
}

}  // namespace tl
