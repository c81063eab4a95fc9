#include "picfx/magnify_routine.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "picfx/pixel_filters.h"
#include "picfx/resample.h"
#if defined(TIDELIGHT_AVX2)
#include "picfx/resample_avx2.h"
#endif

namespace tl {

float InverseZoom(int32_t c) { return static_cast<float>(1.0 / (c / 10.0)); }

namespace {

// Where each destination column samples: fx = (x - cX) s + cX depends on x
// alone, and fy on y alone, so both are worked out once per column and row.
struct Columns {
  std::vector<double> fx;
  std::vector<float> sx;  // fx in single precision, for bilinear sampling
  Columns(int32_t width, double cX, double s) : fx(static_cast<size_t>(width)), sx(fx.size()) {
    for (int32_t x = 1; x <= width; ++x) {
      fx[x - 1] = (x - cX) * s + cX;
      sx[x - 1] = static_cast<float>(fx[x - 1]);
    }
  }
};

void NearestRows(const SamplePlanes& p, const Columns& cols, double cY, double s) {
  const int32_t w = p.width;
  // The source column of each destination column (its index from 0), and
  // whether it lies inside the picture.
  std::vector<int32_t> from(static_cast<size_t>(w)), inside(static_cast<size_t>(w));
  for (int32_t x = 0; x < w; ++x) {
    const int32_t xs = RoundOrOutside(cols.fx[x]);
    inside[x] = xs >= 1 && xs <= w ? -1 : 0;
    from[x] = inside[x] != 0 ? xs - 1 : 0;
  }
  int32_t previous = 0;  // the source row of the row below, when inside
  for (int32_t y = 1; y <= p.height; ++y) {
    const int32_t ys = RoundOrOutside((y - cY) * s + cY);
    uint8_t* dst = p.Dst(1, y);
    if (ys < 1 || ys > p.height) {
      for (int32_t x = 0; x < w; ++x) StoreBgr(dst + x * 4, p.fill);
      previous = 0;
      continue;
    }
    // Enlarged pictures repeat rows: the same source row gives the same pixels.
    if (ys == previous) {
      CopyBgrRow(p.Dst(1, y - 1), dst, w);
      continue;
    }
    previous = ys;
    const uint8_t* row = p.Src(1, ys);
    int32_t x = 0;
#if defined(__SSE2__)
    const __m128i fill = _mm_set1_epi32(static_cast<int>(p.fill));
    for (; x + 4 <= w; x += 4) {
      const __m128i got = _mm_setr_epi32(
          static_cast<int>(Load32(row + from[x] * 4)), static_cast<int>(Load32(row + from[x + 1] * 4)),
          static_cast<int>(Load32(row + from[x + 2] * 4)), static_cast<int>(Load32(row + from[x + 3] * 4)));
      const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&inside[x]));
      StoreQuad(dst + x * 4, _mm_or_si128(_mm_and_si128(in, got), _mm_andnot_si128(in, fill)));
    }
#endif
    for (; x < w; ++x) StoreBgr(dst + x * 4, inside[x] != 0 ? Load32(row + from[x] * 4) : p.fill);
  }
}

// Every pixel of a row blends the same two source rows with the same
// weight, so each source column's vertical blend is made once per row and
// the row's pixels blend neighbouring columns of it. The order differs from
// the blend's formula, which only the quick single-precision form sees; the
// exact form decides every channel near a rounding boundary.
void BilinearRows(const SamplePlanes& p, const Columns& cols, double cY, double s) {
  const int32_t w = p.width;
  if (!p.QuadsFit()) {
    for (int32_t y = 1; y <= p.height; ++y) {
      const float fy = static_cast<float>((y - cY) * s + cY);
      for (int32_t x = 1; x <= w; ++x) SampleBilinear(p, p.Dst(x, y), cols.sx[x - 1], fy);
    }
    return;
  }
#if defined(__SSE2__)
  // Each column's cell, as an index into the row of vertical blends.
  std::vector<BilinearCell> cells(static_cast<size_t>(w));
  std::vector<int32_t> at(static_cast<size_t>(w)), inside(static_cast<size_t>(w));
  std::vector<float> weight(static_cast<size_t>(w) * 4);
  int32_t lo = w, hi = 0;
  for (int32_t x = 0; x < w; ++x) {
    BilinearCell& c = cells[x];
    inside[x] = AxisCell(cols.sx[x], w, c.xi, c.wx) ? -1 : 0;
    if (inside[x] == 0) continue;
    lo = std::min(lo, c.xi);
    hi = std::max(hi, c.xi);
  }
  for (int32_t x = 0; x < w; ++x) {
    at[x] = inside[x] != 0 ? cells[x].xi - lo : 0;
    const float wx = inside[x] != 0 ? cols.sx[x] - static_cast<float>(cells[x].xi) : 0.0f;
    for (int k = 0; k < 4; ++k) weight[size_t(x) * 4 + k] = wx;
  }
  std::vector<float> blends(static_cast<size_t>(std::max(0, hi - lo + 2)) * 4);
#if defined(TIDELIGHT_AVX2)
  const bool wide = WideVectorsChosen();
  std::vector<int32_t> doubtful(wide ? static_cast<size_t>(w) : 0);
#endif
  const __m128i zero = _mm_setzero_si128(), fill = _mm_set1_epi32(static_cast<int>(p.fill));
  const __m128 limit = _mm_set1_ps(0.5f - 1.0f / 4096), sign = _mm_set1_ps(-0.0f);
  const __m128 bgrLanes = _mm_castsi128_ps(_mm_setr_epi32(-1, -1, -1, 0));
  for (int32_t y = 1; y <= p.height; ++y) {
    uint8_t* dst = p.Dst(1, y);
    const float fy = static_cast<float>((y - cY) * s + cY);
    BilinearCell row;
    if (hi < lo || !AxisCell(fy, p.height, row.yi, row.wy)) {
      for (int32_t x = 0; x < w; ++x) StoreBgr(dst + x * 4, p.fill);
      continue;
    }
    // Vertical blends of the columns lo .. hi + 1.
    const __m128 wy = _mm_set1_ps(fy - static_cast<float>(row.yi));
    const uint8_t* r0 = p.Src(lo, row.yi);
    const uint8_t* r1 = r0 + static_cast<size_t>(w) * 4;
    for (int32_t i = 0; i < hi - lo + 2; ++i) {
      const __m128 a = _mm_cvtepi32_ps(_mm_unpacklo_epi16(
          _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(Load32(r0 + i * 4))), zero), zero));
      const __m128 b = _mm_cvtepi32_ps(_mm_unpacklo_epi16(
          _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(Load32(r1 + i * 4))), zero), zero));
      _mm_storeu_ps(&blends[size_t(i) * 4], _mm_add_ps(a, _mm_mul_ps(_mm_sub_ps(b, a), wy)));
    }
    const auto blend = [&](int32_t x, __m128i& rounded) {
      const float* c = &blends[size_t(at[x]) * 4];
      const __m128 c0 = _mm_loadu_ps(c), c1 = _mm_loadu_ps(c + 4);
      const __m128 v = _mm_add_ps(c0, _mm_mul_ps(_mm_sub_ps(c1, c0), _mm_loadu_ps(&weight[size_t(x) * 4])));
      rounded = _mm_cvtps_epi32(v);
      const __m128 off = _mm_andnot_ps(sign, _mm_sub_ps(v, _mm_cvtepi32_ps(rounded)));
      return _mm_and_ps(_mm_cmpge_ps(off, limit), bgrLanes);
    };
    const auto exact = [&](int32_t x) {
      BilinearCell cell = cells[x];
      cell.yi = row.yi;
      cell.wy = row.wy;
      return BlendExact(p, cell);
    };
    int32_t x = 0;
#if defined(TIDELIGHT_AVX2)
    if (wide) {
      int32_t count = 0;
      x = avx2::MagnifyBilinearRun(blends.data(), at.data(), weight.data(), inside.data(), p.fill, dst, 0, w,
                                   doubtful.data(), count);
      for (int32_t k = 0; k < count; ++k) {
        const int32_t d = doubtful[static_cast<size_t>(k)];
        StoreBgr(dst + d * 4, exact(d));
      }
    }
#endif
    for (; x + 4 <= w; x += 4) {
      __m128i r0v, r1v, r2v, r3v;
      const __m128 doubt = _mm_or_ps(_mm_or_ps(blend(x, r0v), blend(x + 1, r1v)),
                                     _mm_or_ps(blend(x + 2, r2v), blend(x + 3, r3v)));
      __m128i quad = _mm_packus_epi16(_mm_packs_epi32(r0v, r1v), _mm_packs_epi32(r2v, r3v));
      const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&inside[x]));
      quad = _mm_or_si128(_mm_and_si128(in, quad), _mm_andnot_si128(in, fill));
      StoreQuad(dst + x * 4, quad);
      if (_mm_movemask_ps(doubt) != 0) {
        for (int32_t k = x; k < x + 4; ++k) {
          __m128i r;
          if (inside[k] != 0 && _mm_movemask_ps(blend(k, r)) != 0) StoreBgr(dst + k * 4, exact(k));
        }
      }
    }
    for (; x < w; ++x) {
      __m128i r;
      const bool doubtful = _mm_movemask_ps(blend(x, r)) != 0;
      const uint32_t v = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(r, r), zero)));
      StoreBgr(dst + x * 4, inside[x] == 0 ? p.fill : doubtful ? exact(x) : v);
    }
  }
#endif
}

}  // namespace

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
  const Columns cols(w, cX, s);
  if (op == 0) {
    NearestRows(planes, cols, cY, s);
  } else {
    BilinearRows(planes, cols, cY, s);
  }
  return 0;
}

}  // namespace tl
