// Denormal guards of the signal path, in single precision.
#pragma once

#include "stereo.h"

namespace dsp {

// The alternating offset: 1e-10, sign flipped every sample.
constexpr float kDenormalOffset = 1e-10f;
// Adding and removing 1e-18 turns any magnitude below about 1e-25 into 0.
constexpr float kFlushBias = 1e-18f;

// Relies on strict IEEE arithmetic: never build the engine with -ffast-math.
inline float flushed(float x) { return (x + kFlushBias) - kFlushBias; }
inline F4 flushed(F4 x) { return (x + kFlushBias) - kFlushBias; }

}  // namespace dsp
