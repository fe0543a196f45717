// What a parameter's control port holds: the normalized value every other
// format automates for a continuous parameter (so renders stay exact), 0/1
// for a switch, the step's index for Num and Den.
#pragma once

#include <cmath>

#include "common/parameters.h"
#include "common/steps.h"

// Steps a port offers: 0 continuous, else the count of its whole values.
constexpr int lv2PortSteps(int id) {
  return kParameterTable[id].kind == ParameterKind::Continuous ? 0 : kParameterTable[id].steps;
}

inline float lv2PortFromNormalized(int id, float normalized) {
  const int steps = lv2PortSteps(id);
  return steps == 0 ? normalized : static_cast<float>(stepIndex(normalized, steps));
}

// A step's port value is read to the nearest whole step, and stands for the
// step's centre, as the factory programs keep it.
inline float lv2NormalizedFromPort(int id, float port) {
  const int steps = lv2PortSteps(id);
  if (steps == 0) {
    return limitedValue(port, kParameterTable[id].defaultValue);
  }
  const float index = std::isfinite(port) ? std::round(port) : 0.0f;
  const int step = index < 0.0f ? 0 : (index > steps - 1 ? steps - 1 : static_cast<int>(index));
  return stepCentre(step, steps);
}
