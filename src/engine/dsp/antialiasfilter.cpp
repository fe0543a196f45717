#include "antialiasfilter.h"

#include <cmath>

namespace dsp {

BiquadCoefficients BiquadCoefficients::lowpass(float fc, float sampleRate) {
  constexpr float kPi = 3.14159265358979f;
  constexpr float kSqrt2 = 1.41421356237f;
  const float K = 1.0f / std::tan(kPi * fc / sampleRate);
  const float norm = K * K + kSqrt2 * K + 1.0f;
  BiquadCoefficients c;
  c.b0 = 1.0f / norm;
  c.b1 = 2.0f / norm;
  c.b2 = c.b0;
  c.a1 = -2.0f * (K * K - 1.0f) / norm;
  c.a2 = (K * K - kSqrt2 * K + 1.0f) / norm;
  return c;
}

void AntiAliasFilter::setCoefficients(const BiquadCoefficients& c) {
  b0 = splat(c.b0);
  b1 = splat(c.b1);
  b2 = splat(c.b2);
  a1 = splat(c.a1);
  a2 = splat(c.a2);
}

void AntiAliasFilter::reset() { state = State{}; }

}  // namespace dsp
