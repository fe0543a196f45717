// What the effect's parameters set in its engine: the delay's and tempos'
// ranges and the laws that turn normalized values into gains and rates.
#pragma once

#include <cmath>

#include "common/parameters.h"

// Longest delay at the nominal clock, in milliseconds.
constexpr float kMaxDelayMs = 3200.0f;

// The host tempos the synced delay follows, in BPM; the editor's tempo control
// spans 0 to the highest.
constexpr float kLowestTempo = 40.0f;
constexpr float kHighestTempo = 400.0f;

// A note of the tables' entries `numIndex` / `denIndex` at `tempoBpm`, in
// milliseconds: a whole note lasts four beats of 60000 ms / tempo.
constexpr float noteLengthMs(int numIndex, int denIndex, float tempoBpm) {
  return numeratorTable[numIndex] * 240000.0f / (denominatorTable[denIndex] * tempoBpm);
}

// Input and output gain, linear: 1 at the knob's centre, 4 at its top.
inline float gainOf(float v) { return 4.0f * v * v; }

// The oscillator's rate: 0.1 Hz to 10 Hz, evenly over the knob's turn in octaves.
inline float rateOf(float v) { return 0.1f * std::pow(100.0f, v); }
