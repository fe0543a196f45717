// The variable clock that steps the delay memory: a sine or square oscillator
// and the input's envelope sweep its period around the manual setting.
#pragma once

#include <cmath>

#include "flush.h"
#include "oscillatormath.h"

namespace dsp {

struct ClockSettings {
  float lfoAmount;
  float envelopeAmount;
  bool squareWave;
  float lfoIncrement;  // radians per sample
  float manualClock;
  float doublingFactor;
};

// What sweeps the clock in one sample.
struct Sweep {
  float depth;        // the smoothed Depth
  float lfo;          // the oscillator's weighted output
  float envelopePow;  // the envelope's power (envelopeShare)
};

class ModulationClock {
 public:
  static constexpr float kPi = 3.1415927f;
  static constexpr float kTwoPi = 6.2831855f;

  void setEnvelopeCoefficient(float c10) {
    envelopeCoeff = c10;
    envelopeGain = 1.0f - c10;
  }
  // Clears the oscillator and the clock phase; the envelope level, the step
  // rate and the period carry over.
  void reset() {
    lfoPhase = 0.0f;
    clockPhase = 0.0f;
  }

  // One-pole 10 Hz follower of the limited magnitude e.
  void followEnvelope(float e) {
    envelopeLevel = flushed(envelopeCoeff * envelopeLevel + envelopeGain * e);
  }

  // The sweep term is lost in rounding against the manual period while the
  // smoothed depth is this small, so sin and pow are skipped then.
  static bool sweeps(float depth) { return !(std::fabs(depth) < 1e-9f); }

  // The oscillator's weighted output for this sample; advances its phase.
  float oscillate(const ClockSettings& c, float depth) {
    float output = 0.0f;
    if (c.lfoAmount == 0.0f) {
      // No share of the oscillator: only its phase moves on.
    } else if (c.squareWave) {
      output = lfoPhase <= 0.0f ? 1.0f : -1.0f;
    } else if (sweeps(depth)) {
      output = -sineOfPhase(lfoPhase);
    }
    lfoPhase += c.lfoIncrement;
    if (lfoPhase >= kPi) {
      lfoPhase -= kTwoPi;
    }
    return output * c.lfoAmount;
  }

  // The envelope's power as this sample's clock uses it: 0 when it has no
  // share or the sweep is off. It depends only on the envelope level, so it
  // can be taken before the clock runs.
  float envelopeShare(const ClockSettings& c, float depth) const {
    return c.envelopeAmount != 0.0f && sweeps(depth) ? envelopePower(envelopeLevel) : 0.0f;
  }

  // Sets this sample's period and step rate from the oscillator's output and
  // the envelope's power; returns the entry phase q.
  float advanceClock(const ClockSettings& c, const Sweep& sweep) {
    if (sweeps(sweep.depth)) {
      const float envelopeTerm =
          c.envelopeAmount != 0.0f ? (sweep.envelopePow - 0.5f) * c.envelopeAmount : 0.0f;
      clockPeriod = ((sweep.lfo + envelopeTerm) * sweep.depth + c.manualClock) * c.doublingFactor;
    } else {
      clockPeriod = c.manualClock * c.doublingFactor;
    }
    if (clockPeriod != lastPeriod) {
      lastPeriod = clockPeriod;
      lastRate = 1.0f / clockPeriod;
    }
    const float s = lastRate;
    // Keeps the time to the next memory step when the rate changes. The
    // division stays on the phase's chain: the ratio of the rates taken first
    // would round differently, and the clock integrates the difference.
    const float q = 1.0f - ((1.0f - clockPhase) * s) / clockStep;
    clockPhase = q + s;
    clockStep = s;
    return q;
  }

  float advance(const ClockSettings& c, float depth) {
    const float lfo = oscillate(c, depth);
    return advanceClock(c, {depth, lfo, envelopeShare(c, depth)});
  }

  // One memory step per sample, on the sample: every sample's clock update
  // then leaves period, rate and phase as they are (q = 0, phase 1 - 1 = 0).
  bool atUnitRest(const ClockSettings& c) const {
    return clockPhase == 0.0f && clockStep == 1.0f && lastPeriod == 1.0f &&
           c.manualClock * c.doublingFactor == 1.0f;
  }

  // Where in the sample interval a memory step falls, u steps after the sample's start.
  float stepTime(float u) const { return u / clockStep; }

  float lfoPhase = 0.0f;
  float envelopeLevel = 0.0f;
  float clockPeriod = 1.0f;
  float clockStep = 1.0f;
  float clockPhase = 0.0f;

 private:
  float envelopeCoeff = 0.0f;
  float envelopeGain = 1.0f;
  float lastPeriod = 1.0f;
  float lastRate = 1.0f;
};

}  // namespace dsp
