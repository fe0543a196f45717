#include "levellimiter.h"

namespace dsp {

int LevelLimiter::windowFor(int sampleRate) {
  if (sampleRate > 100000) {
    return 16;
  }
  if (sampleRate > 50000) {
    return 8;
  }
  if (sampleRate > 25000) {
    return 4;
  }
  return 2;
}

void LevelLimiter::setWindow(int n) {
  length = n;
  invLength = 1.0f / static_cast<float>(n);
  index = 0;
}

void LevelLimiter::reset() {
  for (F4& m : magnitudes) {
    m = F4{};
  }
  sum = F4{};
}

}  // namespace dsp
