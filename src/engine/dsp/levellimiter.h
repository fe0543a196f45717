// Soft level limiter before the delay memory: a short window of magnitudes per
// channel whose mean sets the gain, so the limited mean never exceeds 1.
#pragma once

#include "stereo.h"

namespace dsp {

class LevelLimiter {
 public:
  static constexpr int kMaxWindow = 16;

  // Window length for a sample rate: 2, 4 above 25 kHz, 8 above 50 kHz, 16 above 100 kHz.
  static int windowFor(int sampleRate);

  void setWindow(int n);
  int window() const { return length; }
  void reset();

  // Feeds the magnitudes of one stereo sample; returns the gains for it.
  F4 process(F4 magnitude) {
    sum += magnitude - magnitudes[index];
    magnitudes[index] = magnitude;
    index = (index + 1) & (length - 1);
    if (index == 0) {
      // The running sums would drift with rounding; they are rebuilt each time
      // the window comes round, which also keeps them independent of blocks.
      recomputeSums();
    }
    const F4 mean = sum * invLength;
    const I4 loud = mean > 2.0f;
    const F4 soft = 1.0f - 0.25f * mean;
    // The division is needed only above a mean of 2, which is rare.
    return (_mm_movemask_ps(reinterpret_cast<F4>(loud)) & 3) != 0 ? select(loud, 1.0f / mean, soft)
                                                                  : soft;
  }

 private:
  void recomputeSums() {
    F4 s{};
    for (int i = 0; i < length; ++i) {
      s += magnitudes[i];
    }
    sum = s;
  }

  F4 magnitudes[kMaxWindow] = {};
  F4 sum{};
  int length = 4;
  float invLength = 0.25f;  // exact: the length is a power of two
  int index = 0;
};

}  // namespace dsp
