// The smoothed controls: input gain, output gain, mix and depth glide toward
// their targets with the alternating offset n added, feedback without it.
//
// Once a glide has arrived, its state repeats every two samples: the state
// after a sample depends only on the state before it and the sign of n, so a
// state equal to the one two samples earlier means the pair of states repeats
// for as long as the targets stay. The glide then stops computing and hands
// out the two settled sets, which are exactly the values it would compute.
#pragma once

#include "flush.h"
#include "stereo.h"

namespace dsp {

// What one sample uses of the glide.
struct Controls {
  float inputGain;  // the previous sample's, as the input stage comes first
  float dryGain;
  float wetGain;
  float depth;
  float feedback;
};

struct GlideTargets {
  float inputGain, outputGain, mix, depth, feedback, delaySign;

  bool operator==(const GlideTargets&) const = default;
};

class ControlGlide {
 public:
  static constexpr float kFeedbackFloor = 0.00001f;

  void setCoefficient(float a30) {
    a = a30;
    oneMinusA = 1.0f - a30;
  }

  // Jumps to the targets (switching off); the glide starts afresh.
  void jumpTo(const GlideTargets& t) {
    state = F4{t.inputGain, t.outputGain, t.mix, t.depth};
    feedback = t.feedback;
    settled = false;
    history = 0;
  }

  // Takes this block's targets; lastOffset is the n of the last sample.
  void begin(const GlideTargets& t, float lastOffset) {
    if (settled && !(t == targets)) {
      restore(lastOffset);
    }
    targets = t;
    pull = oneMinusA * F4{t.inputGain, t.outputGain, t.mix, t.depth};
    if (settled) {
      buildSets();
    }
  }

  bool isSettled() const { return settled; }
  // The settled controls of a sample whose offset n is positive or not.
  const Controls& settledFor(float n) const { return sets[n > 0.0f ? 1 : 0]; }

  // One sample of gliding with the offset n of that sample.
  Controls next(float n) {
    const float inputGain = state[0];
    state = pull + a * state + n;
    feedback = oneMinusA * targets.feedback + a * feedback;
    if (feedback < kFeedbackFloor && feedback > -kFeedbackFloor) {
      feedback = 0.0f;
    }
    const int p = n > 0.0f ? 1 : 0;
    if (history == 2 && allEqual(state, kept[p]) && feedback == keptFeedback[p]) {
      settled = true;
      buildSets();
    }
    kept[p] = state;
    keptFeedback[p] = feedback;
    history = history < 2 ? history + 1 : 2;
    return mixed(inputGain, state, feedback);
  }

 private:
  // Glides on from the state the last sample (offset lastOffset) left.
  void restore(float lastOffset) {
    const int p = lastOffset > 0.0f ? 1 : 0;
    state = kept[p];
    feedback = keptFeedback[p];
    settled = false;
    history = 0;
  }

  static bool allEqual(F4 x, F4 y) {
    const I4 same = x == y;
    return (same[0] & same[1] & same[2] & same[3]) != 0;
  }

  Controls mixed(float inputGain, F4 s, float fb) const {
    const float w = flushed(s[2] * s[1]);
    return {inputGain, s[1] - w, w * targets.delaySign, s[3], fb};
  }

  void buildSets() {
    sets[0] = mixed(kept[1][0], kept[0], keptFeedback[0]);
    sets[1] = mixed(kept[0][0], kept[1], keptFeedback[1]);
  }

  float a = 0.0f, oneMinusA = 1.0f;
  GlideTargets targets{};
  F4 pull{};
  F4 state{1.0f, 1.0f, 0.5f, 0.0f};
  float feedback = 0.0f;
  // The states after the last sample of each offset sign (index 1: positive).
  F4 kept[2] = {};
  float keptFeedback[2] = {};
  int history = 0;
  bool settled = false;
  Controls sets[2] = {};
};

}  // namespace dsp
