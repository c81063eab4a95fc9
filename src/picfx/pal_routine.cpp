#include "picfx/pal_routine.h"

#include <cstring>

#include "base/numeric.h"

namespace tl {

namespace {

constexpr int32_t kNoise = 10;

// The generator of the noise operation: a 32-bit multiply, then an add whose
// carry becomes the top bit of the halved sum.
class NoiseSequence {
 public:
  explicit NoiseSequence(uint32_t seed) : s_(seed) {}
  uint32_t Draw() {
    const uint32_t t = s_ * 0x11813u;
    s_ = static_cast<uint32_t>((uint64_t{t} + 0xAB209u) >> 1);
    return s_ & 0xFF;
  }

 private:
  uint32_t s_;
};

uint8_t ClampNoise(double v) {
  const double r = RoundHalfEven(v);
  if (r >= 255) return 255;
  if (r <= 0) return 0;
  return static_cast<uint8_t>(r);
}

void Noise(int32_t amount, uint32_t seed, uint8_t* px, size_t pixels) {
  // Products as the routine's 32-bit registers hold them.
  const int32_t spread = static_cast<int32_t>(static_cast<uint32_t>(amount) * 20u);
  const int32_t range = static_cast<int32_t>(static_cast<uint32_t>(amount) * 40u + 1u);
  NoiseSequence seq(seed);
  for (size_t i = 0; i < pixels; ++i, px += 4) {
    for (int k = 0; k < 3; ++k) {
      const double r = seq.Draw();
      px[k] = ClampNoise(px[k] + (r / 255.0) * range - spread);
    }
  }
}

void SetBgr(uint8_t* px, uint8_t v) { px[0] = px[1] = px[2] = v; }

void PixelTest(int32_t opcode, uint8_t* px, size_t pixels) {
  for (size_t i = 0; i < pixels; ++i, px += 4) {
    const int b = px[0], g = px[1], r = px[2];
    const bool black = b == 0 && g == 0 && r == 0;
    const bool white = b == 255 && g == 255 && r == 255;
    switch (opcode) {
      case 12: SetBgr(px, static_cast<uint8_t>((b + g + r) / 3)); break;
      case 13: if (b <= 24 && g <= 24 && r <= 24) SetBgr(px, 0); break;
      case 14: if (b > 248 && g > 248 && r > 248) SetBgr(px, 255); break;
      case 15: if (black) SetBgr(px, 255); break;
      case 16: if (white) SetBgr(px, 0); break;
      case 17: if (!white) SetBgr(px, 0); break;
      case 18: if (!black) SetBgr(px, 255); break;
      case 19: SetBgr(px, r >= 180 || (b < 180 && g >= 180) ? 255 : 0); break;
      default: return;
    }
  }
}

}  // namespace

std::optional<PalPattern> PatternForOpcode(int32_t opcode, int32_t amount) {
  const uint32_t a32 = static_cast<uint32_t>(amount);  // shifts on the sign-extended value
  const uint32_t low = a32 & 0xFF;
  const uint32_t brightness = (a32 << 16) | (low << 8) | low;
  switch (opcode) {
    case 0: return PalPattern{a32 << 16, PatternOp::AddSaturate};
    case 1: return PalPattern{a32 << 16, PatternOp::SubtractSaturate};
    case 2: return PalPattern{a32 << 8, PatternOp::AddSaturate};
    case 3: return PalPattern{a32 << 8, PatternOp::SubtractSaturate};
    case 4: return PalPattern{a32, PatternOp::AddSaturate};
    case 5: return PalPattern{a32, PatternOp::SubtractSaturate};
    case 6: return PalPattern{brightness, PatternOp::AddSaturate};
    case 7: return PalPattern{brightness, PatternOp::SubtractSaturate};
    case 8: return PalPattern{brightness, PatternOp::AddWrap};
    case 9: return PalPattern{brightness, PatternOp::SubtractWrap};
    case 11: return PalPattern{0xFFFFFFFFu, PatternOp::Invert};
    default: return std::nullopt;
  }
}

void ApplyPalette(int32_t opcode, int32_t amount, uint32_t seed, const uint8_t* src,
                  uint8_t* dst, size_t pixels) {
  if (pixels == 0) return;
  if (const auto p = PatternForOpcode(opcode, amount)) {
    // Whole pairs only: an odd last pixel keeps its value.
    const size_t pairs = pixels / 2;
    ApplyPattern(src, dst, pairs, p->pattern, p->op);
    if (src != dst && pixels % 2 != 0) std::memcpy(dst + pairs * 8, src + pairs * 8, 4);
    return;
  }
  if (src != dst) std::memcpy(dst, src, pixels * 4);
  if (opcode == kNoise) {
    Noise(amount, seed, dst, pixels);
  } else if (opcode >= 12 && opcode <= 19) {
    PixelTest(opcode, dst, pixels);
  }
}

uint32_t PalRoutine(const RoutineCall& call) {
  const size_t pixels = call.Pixels();
  if (pixels == 0) return 0;
  uint8_t* working = call.working.data();
  ApplyPalette(call.params->opcode, call.params->amount, call.a, working, working, pixels);
  return 0;
}

}  // namespace tl
