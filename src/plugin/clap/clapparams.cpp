// The 18 effect parameters as CLAP parameters: ids are the effect's indices,
// names and texts come from the effect, switches and note lengths are
// stepped, each step with its text. The 18 controller assignments stay in the
// state only: they are settings of the MIDI map, not sound, and a host
// recording them would fight MIDI learn.
#include <cmath>
#include <cstdio>

#include "clapadapter.h"
#include "common/steps.h"

int clapParamSteps(clap_id id) {
  return id < ClapAdapter::kParamCount ? kParameterTable[id].steps : 0;
}

float clapToNormalized(clap_id id, double plain) {
  const int steps = clapParamSteps(id);
  if (steps == 0) {
    return static_cast<float>(plain);
  }
  // Step i of n is i / (n - 1): the ends are 0 and 1, and every step sits
  // inside the range the effect's quantizer gives back as i.
  const double step = std::floor(plain);
  const double held = step < 0.0 ? 0.0 : (step > steps - 1 ? steps - 1 : step);
  return static_cast<float>(held / (steps - 1));
}

double clapFromNormalized(clap_id id, float normalized) {
  const int steps = clapParamSteps(id);
  return steps == 0 ? static_cast<double>(normalized) : stepIndex(normalized, steps);
}

bool ClapAdapter::paramInfo(uint32_t index, clap_param_info_t& info) const {
  if (index >= kParamCount) {
    return false;
  }
  info = clap_param_info_t{};
  info.id = index;
  const int steps = clapParamSteps(index);
  // Every step has its text ("on", "clk", a note's number), so hosts offer
  // the texts rather than step numbers.
  info.flags =
      CLAP_PARAM_IS_AUTOMATABLE | (steps != 0 ? CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_ENUM : 0);
  std::snprintf(info.name, sizeof(info.name), "%s", kParameterTable[index].name);
  info.min_value = 0.0;
  info.max_value = steps != 0 ? steps - 1 : 1.0;
  info.default_value = defaults[index];
  return true;
}

bool ClapAdapter::paramValue(clap_id id, double& value) const {
  if (id >= kParamCount) {
    return false;
  }
  value = clapFromNormalized(id, effect->parameter(id));
  return true;
}

bool ClapAdapter::valueToText(clap_id id, double value, char* out, uint32_t size) const {
  if (id >= kParamCount || out == nullptr || size == 0 || !std::isfinite(value)) {
    return false;
  }
  effect->parameterText(id, clapToNormalized(id, value), out, size);
  return true;
}

bool ClapAdapter::textToValue(clap_id id, const char* text, double& value) const {
  float normalized = 0.0f;
  if (id >= kParamCount || !effect->parameterFromText(id, text, normalized)) {
    return false;
  }
  value = clapFromNormalized(id, normalized);
  return true;
}
