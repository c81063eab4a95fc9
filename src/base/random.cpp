#include "base/random.h"

#include <cstring>

namespace tl {

namespace {
constexpr uint32_t kMask = 0xFFFFFFu;  // 24-bit state, so every value is exact in a float
uint32_t BitsOf(float f) {
  uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}
uint32_t BitsOf(double d) {
  uint64_t u;
  std::memcpy(&u, &d, sizeof u);
  return static_cast<uint32_t>(u) ^ static_cast<uint32_t>(u >> 32);
}
}  // namespace

double RandomGenerator::Next(double arg) {
  if (arg < 0) {
    const uint32_t b = BitsOf(static_cast<float>(arg));
    state_ = (b + (b >> 24)) & kMask;
  }
  if (arg != 0) state_ = (state_ * 0x2BC6C3u + 0xA3F1C5u) & kMask;
  return static_cast<double>(state_) / 16777216.0;
}

void RandomGenerator::Reseed(double seed) {
  const uint32_t b = BitsOf(seed);
  state_ = (state_ & 0xFF) ^ ((b ^ (b >> 8)) << 8 & 0xFFFF00u);
  state_ &= kMask;
}

}  // namespace tl
