// Soft level limiter before the delay memory: a short window of magnitudes per
// channel whose mean sets the gain, so the limited mean never exceeds 1.
#pragma once

#include <cmath>

namespace dsp {

class LevelLimiter {
 public:
  static constexpr int kMaxWindow = 16;

  // Window length for a sample rate: 2, 4 above 25 kHz, 8 above 50 kHz, 16 above 100 kHz.
  static int windowFor(int sampleRate);

  void setWindow(int n);
  int window() const { return length; }
  void reset();

  // Feeds one stereo sample; returns the two gains for it.
  void process(float sL, float sR, float& gL, float& gR) {
    const float mL = std::fabs(sL);
    const float mR = std::fabs(sR);
    sum[0] += mL - magnitudes[0][index];
    sum[1] += mR - magnitudes[1][index];
    magnitudes[0][index] = mL;
    magnitudes[1][index] = mR;
    index = (index + 1) & (length - 1);
    if (index == 0) {
      // The running sums would drift with rounding; they are rebuilt each time
      // the window comes round, which also keeps them independent of blocks.
      recomputeSums();
    }
    gL = gainFor(sum[0] * invLength);
    gR = gainFor(sum[1] * invLength);
  }

 private:
  void recomputeSums();
  static float gainFor(float mean) { return mean > 2.0f ? 1.0f / mean : 1.0f - 0.25f * mean; }

  float magnitudes[2][kMaxWindow] = {};
  float sum[2] = {};
  int length = 4;
  float invLength = 0.25f;  // exact: the length is a power of two
  int index = 0;
};

}  // namespace dsp
