// The glows of the colour-painting routine. The scans run over the working
// plane while the glows change it, so a pixel blended earlier in the scan is
// tested with its new value: every search for the next match reads the
// plane as it is at that moment.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "picfx/colorx_routine.h"

namespace tl {

namespace {

// The blend of one channel value v with weight f = a - k b towards the
// colour's channel: round(f v + (1 - f) C), kept within 0 .. 255.
uint8_t BlendValue(double f, uint8_t v, uint8_t c) {
  const int32_t r = RoundOrOutside(f * v + (1 - f) * c);
  return static_cast<uint8_t>(r > 255 ? 255 : r < 0 ? 0 : r);
}

// Blends by weight index k, from a table of every result when the reach is
// small enough for one (which it is for every Amount the method uses).
class Blender {
 public:
  Blender(int32_t reach, Bgr colour, float a, float b)
      : a_(a), b_(b), colour_{colour.blue, colour.green, colour.red} {
    if (reach > kMaxTabled) return;
    table_.resize(static_cast<size_t>(reach + 1) * 3 * 256);
    for (int32_t k = 0; k <= reach; ++k)
      for (int ch = 0; ch < 3; ++ch)
        for (int v = 0; v < 256; ++v)
          table_[(static_cast<size_t>(k) * 3 + ch) * 256 + v] =
              BlendValue(Weight(k), static_cast<uint8_t>(v), colour_[ch]);
  }
  void operator()(uint8_t* px, int32_t k) const {
    if (table_.empty()) {
      const double f = Weight(k);
      for (int ch = 0; ch < 3; ++ch) px[ch] = BlendValue(f, px[ch], colour_[ch]);
      return;
    }
    const uint8_t* t = table_.data() + static_cast<size_t>(k) * 3 * 256;
    px[0] = t[px[0]];
    px[1] = t[256 + px[1]];
    px[2] = t[512 + px[2]];
  }

 private:
  static constexpr int32_t kMaxTabled = 4096;
  double Weight(int32_t k) const { return a_ - k * b_; }
  double a_, b_;
  uint8_t colour_[3];
  std::vector<uint8_t> table_;
};

// The first x in from .. to whose blue, green and red are `target`
// (a pixel value, blue in the low byte); to + 1 when there is none.
int32_t NextMatch(const PaintPlane& p, int32_t y, int32_t from, int32_t to, uint32_t target) {
  int32_t x = from;
#if defined(__SSE2__)
  const __m128i mask = _mm_set1_epi32(0x00FFFFFF), want = _mm_set1_epi32(static_cast<int>(target));
  for (; x + 3 <= to; x += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p.At(x, y)));
    const int hits = _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(v, mask), want));
    if (hits != 0) return x + __builtin_ctz(static_cast<unsigned>(hits)) / 4;
  }
#endif
  for (; x <= to; ++x)
    if ((Load32(p.At(x, y)) & 0x00FFFFFFu) == target) return x;
  return to + 1;
}

// Calls onMatch(x, y) for every match in the rows y0 .. y1 and columns
// x0 .. x1, in scan order, testing each pixel as it is when reached.
template <typename OnMatch>
void Scan(const PaintPlane& p, int32_t x0, int32_t x1, int32_t y0, int32_t y1, uint32_t target,
          OnMatch&& onMatch) {
  for (int32_t y = y0; y <= y1; ++y)
    for (int32_t x = x0; (x = NextMatch(p, y, x, x1, target)) <= x1; ++x) onMatch(x, y);
}

}  // namespace

int32_t GlowReach(int32_t amount) {
  if (amount + 2 <= 0) return 0;
  const int32_t reach = (amount + 2) / 2;
  return reach == 5 ? 4 : reach;
}

void Glow(const PaintPlane& p, int32_t opcode, int32_t amount, int32_t colour, float a,
          float b) {
  // blue x 65536 + green x 256 + red never passes 24 bits.
  if (colour < 0 || colour > 0xFFFFFF) return;
  const Bgr c = ChannelsOf(colour);
  const uint32_t target = PixelOf(c);
  const int32_t r = GlowReach(amount);
  const int32_t w = p.width, h = p.height;
  if (opcode != 4 && r == 0) return;  // directional glows of no reach blend nothing
  const Blender blend(r, c, a, b);
  switch (opcode) {
    case 4:
      return Scan(p, r + 1, w - r, r + 1, h - r, target, [&](int32_t x, int32_t y) {
        for (int32_t dy = -r; dy <= r; ++dy)
          for (int32_t dx = -r; dx <= r; ++dx)
            blend(p.At(x + dx, y + dy), r - std::max(std::abs(dx), std::abs(dy)));
      });
    case 5:
      return Scan(p, 1, w, 1, h - r, target, [&](int32_t x, int32_t y) {
        for (int32_t k = 1; k <= r; ++k) blend(p.At(x, y + r + 1 - k), k);
      });
    case 6:
      return Scan(p, 1, w, r + 1, h, target, [&](int32_t x, int32_t y) {
        for (int32_t k = 1; k <= r; ++k) blend(p.At(x, y - r - 1 + k), k);
      });
    case 7:
      return Scan(p, r + 1, w, 1, h, target, [&](int32_t x, int32_t y) {
        for (int32_t k = 1; k <= r; ++k) blend(p.At(x - r - 1 + k, y), k);
      });
    case 8:
      return Scan(p, 1, w - r, 1, h, target, [&](int32_t x, int32_t y) {
        for (int32_t k = 1; k <= r; ++k) blend(p.At(x + r + 1 - k, y), k);
      });
    default: return;
  }
}

}  // namespace tl
