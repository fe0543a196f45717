// A small deterministic noise source: the same numbers on every platform, so
// that renders can be compared across builds.
#pragma once

#include <cstdint>

class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state(seed == 0 ? 0x9e3779b9u : seed) {}
  // Uniform in -1..1.
  float next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(static_cast<double>(state) / 2147483648.0 - 1.0);
  }

 private:
  std::uint32_t state;
};
