#pragma once
#include <cstdint>

namespace magmo {

// Uniform [0, 1) generator. Reseeded from the clock at start-up and at every burst, unless a
// fixed seed was given: then reseeding is ignored and the whole run is reproducible.
class Random {
 public:
  explicit Random(uint64_t seed = 1) { seed_(seed); }
  void fixSeed(uint64_t seed) { fixed_ = true; seed_(seed); }
  bool fixed() const { return fixed_; }
  void reseedFromClock(double secondsSinceMidnight) {
    if (!fixed_) seed_(static_cast<uint64_t>(secondsSinceMidnight * 1000.0) ^ (++reseeds_ * 0x9E3779B97F4A7C15ull));
  }
  double next() {
    // splitmix64: small, fast and good enough for animation and parameter draws.
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
  }

 private:
  void seed_(uint64_t s) { state_ = s; }
  uint64_t state_ = 0;
  uint64_t reseeds_ = 0;
  bool fixed_ = false;
};

}  // namespace magmo
