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

// Both sections of both channels share one register, [first L, first R,
// second L, second R], with the second section one sample behind the first:
// each sample then costs one section's arithmetic. lead() lets the first
// section go ahead at the start of a run, push() moves both on, trail() lets
// the second catch up at its end; between runs both stand at the same sample.
class AntiAliasFilter {
 public:
  void setCoefficients(const BiquadCoefficients& c);
  void reset();

  // The first section takes x alone.
  void lead(F4 x) {
    const State before = state;
    step(x);
    state.keepUpperPairOf(before);
  }
  // The first section takes x, the second the first's previous output; returns
  // the filtered previous sample.
  F4 push(F4 x) { return upperPair(step(x)); }
  // The second section takes the first's last output; returns the filtered
  // last sample.
  F4 trail() {
    const State before = state;
    const F4 y = step(F4{});
    state.keepLowerPairOf(before);
    return upperPair(y);
  }

 private:
  struct State {
    F4 x1{}, x2{}, y1{}, y2{};

    void keepUpperPairOf(const State& o) {
      x1 = lowPairs(x1, upperPair(o.x1));
      x2 = lowPairs(x2, upperPair(o.x2));
      y1 = lowPairs(y1, upperPair(o.y1));
      y2 = lowPairs(y2, upperPair(o.y2));
    }
    void keepLowerPairOf(const State& o) {
      x1 = lowPairs(o.x1, upperPair(x1));
      x2 = lowPairs(o.x2, upperPair(x2));
      y1 = lowPairs(o.y1, upperPair(y1));
      y2 = lowPairs(o.y2, upperPair(y2));
    }
  };

  F4 step(F4 x) {
    State& s = state;
    const F4 in = lowPairs(x, s.y1);
    const F4 y = flushed(b0 * in + b1 * s.x1 + b2 * s.x2 - a1 * s.y1 - a2 * s.y2);
    s.x2 = s.x1;
    s.x1 = in;
    s.y2 = s.y1;
    s.y1 = y;
    return y;
  }

  F4 b0 = splat(1.0f), b1{}, b2{}, a1{}, a2{};
  State state;
};

}  // namespace dsp
