#include "picfx/magnify_routine.h"

#include <bit>
#include <vector>

#include "picfx/resample.h"

namespace tl {

float InverseZoom(int32_t c) { return static_cast<float>(1.0 / (c / 10.0)); }

// fx = (x - cX) s + cX depends on x alone and fy on y alone, so the source
// columns are worked out once per call and the source row once per row.
uint32_t MagnifyRoutine(const RoutineCall& call) {
  if (call.Pixels() == 0) return 0;
  const RoutineParams& params = *call.params;
  const int32_t op = params.opcode;
  if (op != 0 && op != 1) return 0;
  const int32_t w = params.width, h = params.height;
  const SamplePlanes planes{call.undo.data(), call.working.data(), w, h,
                            PixelOf(ChannelsOf(params.colour))};
  const double cX = std::bit_cast<float>(call.a);
  const double cY = h - double{std::bit_cast<float>(call.b)};
  const double s = InverseZoom(static_cast<int32_t>(call.c));
  std::vector<double> fx(static_cast<size_t>(w)), fy(static_cast<size_t>(w));
  for (int32_t x = 1; x <= w; ++x) fx[x - 1] = (x - cX) * s + cX;
  if (op == 0) {
    for (int32_t y = 1; y <= h; ++y) {
      fy.assign(fy.size(), (y - cY) * s + cY);
      NearestRow(planes, y, fx.data(), fy.data());
    }
    return 0;
  }
  std::vector<float> sx(fx.begin(), fx.end()), sy(static_cast<size_t>(w));
  for (int32_t y = 1; y <= h; ++y) {
    sy.assign(sy.size(), static_cast<float>((y - cY) * s + cY));
    BilinearRow(planes, y, sx.data(), sy.data());
  }
  return 0;
}

}  // namespace tl
