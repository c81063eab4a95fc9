// The picture engine with any arguments on small random pictures: nothing is
// read or written outside the planes (AddressSanitizer watches), nothing
// hangs, and the pixels outside plane 2 are only changed by the calls that
// may change them.
#include <fuzzer/FuzzedDataProvider.h>

#include "backends/headless/headless_platform.h"
#include "picfx/tidelight_c.h"

#include <optional>

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
    switch (in.ConsumeIntegralInRange<int>(0, 10)) {
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
      case 7:
        engine.ASM_PixelEffects(in.ConsumeIntegralInRange<int32_t>(-2, 12),
                                in.ConsumeIntegral<int16_t>(), in.ConsumeIntegral<int32_t>());
        break;
      case 8: {
        // Glows cost their reach squared per pixel: keep the reach small.
        const int32_t op = in.ConsumeIntegralInRange<int32_t>(-2, 14);
        const int32_t colour = in.ConsumeIntegral<int32_t>();
        const int16_t amount = in.ConsumeIntegralInRange<int16_t>(-40, 40);
        std::optional<double> cx, cy;
        if (in.ConsumeBool()) cx = in.ConsumeFloatingPoint<double>();
        if (in.ConsumeBool()) cy = in.ConsumeFloatingPoint<double>();
        engine.ASM_ColorXEffects(op, colour, amount, cx, cy);
        break;
      }
      case 9: {
        const int16_t angle = in.ConsumeIntegral<int16_t>();
        const bool smooth = in.ConsumeBool(), source = in.ConsumeBool();
        std::optional<double> cx;
        if (in.ConsumeBool()) cx = in.ConsumeFloatingPoint<double>();
        engine.ASM_Rotate(angle, smooth, source, in.ConsumeIntegral<int32_t>(), cx, std::nullopt);
        break;
      }
      case 10: {
        const float factor = in.ConsumeFloatingPoint<float>();
        std::optional<double> cy;
        if (in.ConsumeBool()) cy = in.ConsumeFloatingPoint<double>();
        engine.ASM_Magnify(factor, std::nullopt, cy, in.ConsumeIntegral<int16_t>(),
                           in.ConsumeIntegral<int32_t>());
        break;
      }
    }
  }
  return 0;
}
