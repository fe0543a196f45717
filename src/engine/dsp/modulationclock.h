// The variable clock that steps the delay memory: a sine or square oscillator
// and the input's envelope sweep its period around the manual setting.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "flush.h"

namespace dsp {

struct ClockSettings {
  float lfoAmount;
  float envelopeAmount;
  bool squareWave;
  float lfoIncrement;  // radians per sample
  float manualClock;
  float doublingFactor;
};

class ModulationClock {
 public:
  static constexpr float kPi = 3.1415927f;
  static constexpr float kTwoPi = 6.2831855f;
  static constexpr float kEnvelopeExponent = 0.3f;

  void setEnvelopeCoefficient(float c10) {
    envelopeCoeff = c10;
    envelopeGain = 1.0f - c10;
  }
  // Clears the oscillator, the envelope's share and the clock phase; the
  // envelope level, the step rate and the period carry over.
  void reset() {
    lfoPhase = 0.0f;
    lfoValue = 0.0f;
    envelopeTerm = 0.0f;
    clockPhase = 0.0f;
  }

  // One-pole 10 Hz follower of the limited magnitude e.
  void followEnvelope(float e) {
    envelopeLevel = flushed(envelopeCoeff * envelopeLevel + envelopeGain * e);
  }

  // Sets this sample's period and step rate; returns the entry phase q.
  float advance(const ClockSettings& c, float depth) {
    float output = 0.0f;
    // The sweep term is lost in rounding against the manual period while the
    // smoothed depth is this small, so sin and pow are skipped then.
    const bool swept = !(std::fabs(depth) < 1e-9f);
    if (c.squareWave) {
      output = lfoPhase <= 0.0f ? 1.0f : -1.0f;
    } else if (swept && c.lfoAmount != 0.0f) {
      output = -std::sin(lfoPhase);
    }
    lfoPhase += c.lfoIncrement;
    if (lfoPhase >= kPi) {
      lfoPhase -= kTwoPi;
    }
    lfoValue = output * c.lfoAmount;
    if (swept) {
      envelopeTerm = c.envelopeAmount != 0.0f
                         ? (std::pow(envelopeLevel, kEnvelopeExponent) - 0.5f) * c.envelopeAmount
                         : 0.0f;
      clockPeriod = ((lfoValue + envelopeTerm) * depth + c.manualClock) * c.doublingFactor;
    } else {
      clockPeriod = c.manualClock * c.doublingFactor;
    }
    if (clockPeriod != lastPeriod) {
      lastPeriod = clockPeriod;
      lastRate = 1.0f / clockPeriod;
      lastRatePowerOfTwo = isPowerOfTwo(lastRate);
      if (lastRatePowerOfTwo) {
        lastRateInverse = 1.0f / lastRate;
      }
    }
    const float s = lastRate;
    // Keeps the time to the next memory step when the rate changes.
    const float q = 1.0f - dividedByStep((1.0f - clockPhase) * s);
    clockPhase = q + s;
    clockStep = s;
    stepPowerOfTwo = lastRatePowerOfTwo;
    stepInverse = lastRateInverse;
    return q;
  }

  // x / clockStep. Dividing by a power of two is the same as multiplying by
  // its inverse, bit for bit, and the clock's rate is one (1, 2, 1/2) at rest.
  float dividedByStep(float x) const {
    return stepPowerOfTwo ? x * stepInverse : x / clockStep;
  }

  float lfoPhase = 0.0f;
  float lfoValue = 0.0f;
  float envelopeLevel = 0.0f;
  float envelopeTerm = 0.0f;
  float clockPeriod = 1.0f;
  float clockStep = 1.0f;
  float clockPhase = 0.0f;

 private:
  // A normal number with no mantissa bits.
  static bool isPowerOfTwo(float x) {
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof(bits));
    const std::uint32_t exponent = (bits >> 23) & 0xffu;
    return (bits & 0x7fffffu) == 0 && exponent != 0 && exponent != 0xffu;
  }

  bool stepPowerOfTwo = true;
  bool lastRatePowerOfTwo = true;
  float stepInverse = 1.0f;
  float lastRateInverse = 1.0f;
  float envelopeCoeff = 0.0f;
  float envelopeGain = 1.0f;
  float lastPeriod = 1.0f;
  float lastRate = 1.0f;
};

}  // namespace dsp
