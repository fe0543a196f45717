// The 18 effect parameters as CLAP parameters: ids are the VST 2.4 indices,
// names and texts come from the effect, switches and note lengths are stepped.
// The 18 controller assignments stay in the state only: they are settings of
// the MIDI map, not sound, and a host recording them would fight MIDI learn.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "../host/audioeffectx.h"
#include "clapadapter.h"
#include "common/steps.h"
#include "plugin/parametertable.h"

namespace {

// Steps of each parameter; 0 for a continuous one.
constexpr int kSteps[ClapAdapter::kParamCount] = {
    0, 0, 0, 0, 2, 2, 0, 2, 2, 0, 0, 0, 0, 2, 2, 2, kNumeratorSteps, kDenominatorSteps};

std::string trimmed(const char* text) {
  std::string s(text);
  const size_t first = s.find_first_not_of(' ');
  const size_t last = s.find_last_not_of(' ');
  return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
}

}  // namespace

int clapParamSteps(clap_id id) { return id < ClapAdapter::kParamCount ? kSteps[id] : 0; }

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
  char name[kVstMaxLabelLen + 1] = {};
  dispatch(effGetParamName, static_cast<VstInt32>(index), 0, name);
  std::snprintf(info.name, sizeof(info.name), "%s", name);
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
  char label[kVstMaxLabelLen + 1] = {};
  object->getParameterDisplayOf(static_cast<VstInt32>(id), clapToNormalized(id, value), display);
  dispatch(effGetParamLabel, static_cast<VstInt32>(id), 0, label);
  const std::string shown = trimmed(display);
  const std::string unit = trimmed(label);
  std::snprintf(out, size, "%s%s%s", shown.c_str(), unit.empty() ? "" : " ", unit.c_str());
  return true;
}

bool ClapAdapter::textToValue(clap_id id, const char* text, double& value) const {
  if (id >= kParamCount || text == nullptr) {
    return false;
  }
  const std::string wanted = trimmed(text);
  char* end = nullptr;
  const double number = std::strtod(wanted.c_str(), &end);
  const bool numeric = end != wanted.c_str() && std::isfinite(number);
  // The value whose text matches, else whose number is nearest: the texts are
  // the effect's own, so this inverts them whatever their shape.
  const int steps = clapParamSteps(id);
  const int candidates = steps != 0 ? steps : 4097;
  double best = -1.0;
  double bestDistance = INFINITY;
  for (int i = 0; i < candidates; ++i) {
    const double plain = steps != 0 ? i : static_cast<double>(i) / (candidates - 1);
    char shown[128];
    valueToText(id, plain, shown, sizeof(shown));
    std::string display = shown;
    if (display == wanted || display.substr(0, display.find(' ')) == wanted) {
      value = plain;
      return true;
    }
    if (numeric) {
      const double distance = std::fabs(std::strtod(shown, nullptr) - number);
      if (distance < bestDistance) {
        bestDistance = distance;
        best = plain;
      }
    }
  }
  if (best < 0.0) {
    return false;
  }
  value = best;
  return true;
}
