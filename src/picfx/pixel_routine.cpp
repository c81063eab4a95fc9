#include "picfx/pixel_routine.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "gfx/pixel_view.h"
#include "picfx/pixel_filters.h"
#include "picfx/trig.h"
#if defined(TIDELIGHT_AVX2)
#include "picfx/resample_avx2.h"
#endif

namespace tl {

namespace {

constexpr double kPi = 3.14159265358979323846;

double SwirlTurn(int32_t amount) {
  switch (amount) {
    case 1: return kPi / 2;
    case 2: return kPi;
    case 4: return 3 * kPi / 2;
    default: return 2 * kPi;
  }
}

}  // namespace

void RowWave(const uint8_t* src, uint8_t* dst, int32_t width, int32_t height,
             std::span<const float> rowTable) {
  const ConstPixelView from = TopDown(src, width, height);  // row 0: y = 1
  const PixelView to = TopDown(dst, width, height);
  const int32_t rows = static_cast<int32_t>(std::min<size_t>(rowTable.size(), size_t(height)));
  for (int32_t y = 0; y < rows; ++y) {
    const int32_t ys = RoundOrOutside(rowTable[static_cast<size_t>(y)]);
    if (ys < 1 || ys > height) continue;
    CopyBgrRow(from.Row(ys - 1), to.Row(y), width);
  }
}

// Every pixel's turn depends only on its distance from the centre, so one
// sine and cosine serve the four pixels at (cx +- dx, cy +- dy): they are
// worked out for a pair of rows cy +- dy at a time, then each row is written
// from left to right. Each pixel's position is still computed on its own,
// with the same operations a pixel-by-pixel pass would do, four at a time
// with AVX2 where the processor has it.
void Swirl(const uint8_t* src, uint8_t* dst, int32_t width, int32_t height, int32_t amount,
           Bgr colour) {
  const int32_t cx = width / 2, cy = height / 2;
  const double turn = SwirlTurn(amount);
  const double m = std::max(width, height);
  const uint32_t paint = PixelOf(colour);
  const int32_t maxDx = std::max(cx, width - cx), maxDy = std::max(cy, height - cy);
  std::vector<double> cosT(static_cast<size_t>(maxDx) + 1), sinT(cosT.size());
#if defined(TIDELIGHT_AVX2)
  const bool wide = WideVectorsChosen();
#endif
  const auto pixels = [&](int32_t y, int32_t x, int32_t x1) {
    uint8_t* row = dst + static_cast<size_t>(y - 1) * width * 4;
#if defined(TIDELIGHT_AVX2)
    if (wide)
      x = avx2::SwirlRun(src, row, width, height, y, cx, cy, cosT.data(), sinT.data(), paint, x, x1);
#endif
    const double dy = y - cy;
    for (; x <= x1; ++x) {
      const double dx = x - cx;
      const size_t t = static_cast<size_t>(std::abs(x - cx));
      uint8_t* d = row + static_cast<size_t>(x - 1) * 4;
      const int32_t xs = RoundOrOutside(dx * cosT[t] - dy * sinT[t] + cx);
      if (xs <= 1 || xs >= width) {
        StoreBgr(d, paint);
        continue;
      }
      const int32_t ys = RoundOrOutside(dx * sinT[t] + dy * cosT[t] + cy);
      if (ys <= 1 || ys >= height) {
        StoreBgr(d, paint);
        continue;
      }
      StoreBgr(d, Load32(src + (static_cast<size_t>(ys - 1) * width + (xs - 1)) * 4));
    }
  };
  // Left of the centre column, then from it rightwards.
  const auto row = [&](int32_t y) {
    pixels(y, 1, std::min(cx - 1, width));
    pixels(y, std::max(cx, 1), width);
  };
  for (int32_t dy = 0; dy <= maxDy; ++dy) {
    const bool up = cy + dy >= 1 && cy + dy <= height, down = dy > 0 && cy - dy >= 1;
    if (!up && !down) continue;
    int32_t dx = 0;
#if defined(TIDELIGHT_AVX2)
    if (wide) {
      avx2::SwirlTurns(dy, maxDx + 1, turn, m, cosT.data(), sinT.data());
      dx = maxDx + 1;
    }
#endif
    for (; dx <= maxDx; ++dx) {
      const double r = std::sqrt(double(dx) * dx + double(dy) * dy);
      const SinCosResult t = SinCos(turn * r / m);
      cosT[static_cast<size_t>(dx)] = t.cos;
      sinT[static_cast<size_t>(dx)] = t.sin;
    }
    if (up) row(cy + dy);
    if (down) row(cy - dy);
  }
}

std::vector<float> BuildRowTable(int32_t width, int32_t height, int32_t amount) {
  const int32_t m = std::max(width, height);
  std::vector<float> table(static_cast<size_t>(std::max(m, 0)));
  for (int32_t i = 1; i <= m; ++i) {
    float t = static_cast<float>(i + 2.0 * amount * SinCos(i / 5.0).sin);
    if (t < 1) t = 1;
    if (t > height) t = static_cast<float>(height);
    table[static_cast<size_t>(i - 1)] = t;
  }
  return table;
}

uint32_t PixelRoutine(const RoutineCall& call) {
  if (call.Pixels() == 0) return 0;
  const RoutineParams& p = *call.params;
  const FilterPlanes planes{call.undo.data(), call.working.data(), p.width, p.height};
  const Bgr colour = ChannelsOf(p.colour);
  switch (p.opcode) {
    case 0: Smooth(planes, p.amount); break;
    case 1: EdgeLift(planes, colour); break;
    case 2: Relief(planes, colour); break;
    case 3: RowWave(planes.src, planes.dst, p.width, p.height, call.rowTable); break;
    case 4: Emboss(planes, colour); break;
    case 5: Swirl(planes.src, planes.dst, p.width, p.height, p.amount, colour); break;
    default: break;
  }
  return 0;
}

}  // namespace tl
