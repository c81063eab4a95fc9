#pragma once
// A Tidelight_C bound to a headless picture box holding a random picture.
#include <cstdint>
#include <random>

#include "picfx/tidelight_c.h"
#include "backends/headless/headless_platform.h"

namespace tl::test {

inline void FillRandom(Surface& s, uint32_t seed) {
  std::mt19937 gen(seed);
  for (int32_t y = 0; y < s.Height(); ++y)
    for (int32_t x = 0; x < s.Width(); ++x) s.At(x, y) = gen();
}

// Plane p as a top-down surface, the way the box shows it.
inline Surface PlaneAsSurface(const PicBits& bits, int p) {
  Surface s(bits.Width(), bits.Height());
  for (int32_t y = 1; y <= bits.Height(); ++y)
    for (int32_t x = 1; x <= bits.Width(); ++x)
      s.At(x - 1, bits.Height() - y) = bits.Pixel(x, y, p);
  return s;
}

struct EngineOnBox {
  HeadlessPlatform platform;
  RandomGenerator random;
  PictureBox box{platform, true};
  Tidelight_C engine{platform, random};
  Surface original;

  EngineOnBox(int32_t w, int32_t h, bool bind = true, uint32_t seed = 1) {
    box.Resize(w, h);
    FillRandom(box.Pixels(), seed);
    original = box.Pixels();
    if (bind) engine.PictureBox(box);
  }
  Surface Plane(int p) const { return PlaneAsSurface(engine.Bits(), p); }
};

}  // namespace tl::test
