#pragma once
// The program's general random-number generator. It is deterministic: the
// same resets give the same sequence on every run and every platform.
#include <cstdint>

namespace tl {

class RandomGenerator {
 public:
  // Next number in [0, 1). A negative argument first reseeds the generator
  // from that argument, so Next(-1) always gives the same number.
  double Next(double arg = 1.0);
  // Mixes a seed into the state, as a reseed call does.
  void Reseed(double seed);
  uint32_t State() const { return state_; }

 private:
  uint32_t state_ = 0x50000u;
};

}  // namespace tl
