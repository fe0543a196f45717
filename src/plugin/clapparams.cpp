// The 18 effect parameters as CLAP parameters: ids are the VST 2.4 indices,
// names and texts come from the effect, switches and note lengths are stepped.
// The 18 controller assignments stay in the state only: they are settings of
// the MIDI map, not sound, and a host recording them would fight MIDI learn.
#include <cmath>
#include <cstdio>
#include <string>

#include "../host/audioeffectx.h"
#include "clapadapter.h"
#include "common/steps.h"
#include "plugin/parametertable.h"
#include "plugin/parametertext.h"

namespace {

std::string trimmed(const char* text) {
  std::string s(text);
  const size_t first = s.find_first_not_of(' ');
  const size_t last = s.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

}  // namespace

static_assert(ClapAdapter::kParamCount == kNumZelParameters);

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
  info.flags = CLAP_PARAM_IS_AUTOMATABLE | (steps != 0 ? CLAP_PARAM_IS_STEPPED : 0);
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
  value = clapFromNormalized(id, effect->getParameter(effect, static_cast<VstInt32>(id)));
  return true;
}

bool ClapAdapter::valueToText(clap_id id, double value, char* out, uint32_t size) const {
  if (id >= kParamCount || out == nullptr || size == 0 || !std::isfinite(value)) {
    return false;
  }
  // The effect's own display and unit, as the VST 2.4 build shows them.
  char display[kVstMaxLabelLen + 1] = {};
  object->getParameterDisplayOf(static_cast<VstInt32>(id), clapToNormalized(id, value), display);
  const std::string shown = trimmed(display);
  const std::string unit = trimmed(kParameterTable[id].label);
  std::snprintf(out, size, "%s%s%s", shown.c_str(), unit.empty() ? "" : " ", unit.c_str());
  return true;
}

bool ClapAdapter::textToValue(clap_id id, const char* text, double& value) const {
  if (id >= kParamCount || text == nullptr) {
    return false;
  }
  // Read against the effect's own displays, so that a text it shows comes back exactly.
  const auto displayOf = [this, id](float v) {
    char display[kVstMaxLabelLen + 1] = {};
    object->getParameterDisplayOf(static_cast<VstInt32>(id), v, display);
    return trimmed(display);
  };
  float normalized = 0.0f;
  if (!parseParameterText(static_cast<int>(id), text, displayOf, normalized)) {
    return false;
  }
  value = clapFromNormalized(id, normalized);
  return true;
}
