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
  for (auto& channel : magnitudes) {
    for (float& m : channel) {
      m = 0.0f;
    }
  }
  sum[0] = sum[1] = 0.0f;
}

void LevelLimiter::recomputeSums() {
  for (int c = 0; c < 2; ++c) {
    float s = 0.0f;
    for (int i = 0; i < length; ++i) {
      s += magnitudes[c][i];
    }
    sum[c] = s;
  }
}

}  // namespace dsp
