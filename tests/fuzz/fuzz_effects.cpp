// The picture engine with any arguments on small random pictures: nothing is
// read or written outside the planes (AddressSanitizer watches), nothing
// hangs, and the pixels outside plane 2 are only changed by the calls that
// may change them.
#include <fuzzer/FuzzedDataProvider.h>

#include "backends/headless/headless_platform.h"
#include "picfx/tidelight_c.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  tl::HeadlessPlatform p;
  tl::RandomGenerator random;
  tl::PictureBox box(p, true);
  const int32_t w = in.ConsumeIntegralInRange<int32_t>(1, 9);
  const int32_t h = in.ConsumeIntegralInRange<int32_t>(1, 9);
  box.Resize(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) box.Pixels().At(x, y) = in.ConsumeIntegral<uint32_t>();
  tl::Tidelight_C engine(p, random);
  if (in.ConsumeBool()) engine.PictureBox(box);
  for (int step = 0; step < 16 && in.remaining_bytes() > 0 && !p.ended; ++step) {
    switch (in.ConsumeIntegralInRange<int>(0, 6)) {
      case 0:
        engine.ASM_PalEffects(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int16_t>(),
                              in.ConsumeIntegral<int32_t>());
        break;
      case 1:
        engine.ASM_IncrementalPalEffects(in.ConsumeIntegralInRange<int32_t>(-2, 22),
                                         in.ConsumeIntegral<int16_t>());
        break;
      case 2: engine.UndoLast(); break;
      case 3: engine.UndoLastDontDraw(); break;
      case 4: engine.ResetPic(); break;
      case 5: engine.AutoDraw(in.ConsumeBool()); break;
      case 6: engine.DrawNow(); break;
    }
  }
  return 0;
}
