// Anti-alias low-pass before the delay memory: two identical second-order
// Butterworth sections in cascade per channel, one coefficient set for all four.
#pragma once

#include "flush.h"
#include "stereo.h"

namespace dsp {

struct BiquadCoefficients {
  float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;

  // Bilinear-transform Butterworth low-pass at fc for the given rate.
  static BiquadCoefficients lowpass(float fc, float sampleRate);
};

class AntiAliasFilter {
 public:
  void setCoefficients(const BiquadCoefficients& c);
  const BiquadCoefficients& coefficients() const { return k; }
  void reset();

  // One stereo sample through both cascades; the stored outputs are flushed.
  F4 process(F4 x) { return runSection(second, runSection(first, x)); }

 private:
  struct Section {
    F4 x1{}, x2{}, y1{}, y2{};
  };

  F4 runSection(Section& s, F4 x) const {
    const F4 y = flushed(b0 * x + b1 * s.x1 + b2 * s.x2 - a1 * s.y1 - a2 * s.y2);
    s.x2 = s.x1;
    s.x1 = x;
    s.y2 = s.y1;
    s.y1 = y;
    return y;
  }

  BiquadCoefficients k;
  F4 b0 = splat(1.0f), b1{}, b2{}, a1{}, a2{};
  Section first, second;
};

}  // namespace dsp
