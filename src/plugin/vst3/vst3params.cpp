// The parameters a VST 3 host sees: the effect's 18 with the VST 2.4 indices
// as ids, their names, units and steps from the one table and their texts
// from the effect; the host's bypass; the program choice; and one hidden
// stand-in per MIDI controller, which every controller number on every
// channel maps to, so that the effect's own map (with LEARN and UNASSIGN)
// decides what each one drives and the host's mapping never changes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "vst3plugin.h"
#include "vst3text.h"

namespace {

using vst3::ParameterInfo;

constexpr vst3::int32 kProgramSteps = kNumPrograms - 1;
constexpr vst3::int32 kBypassIndex = kNumZelParameters;
constexpr vst3::int32 kProgramIndex = kNumZelParameters + 1;
constexpr vst3::int32 kFirstControllerIndex = kNumZelParameters + 2;

// Discrete steps beyond the first; 0 for a continuous value.
vst3::int32 stepCountOf(vst3::ParamID id) {
  if (vst3ids::isEffectParameter(id)) {
    const int steps = kParameterTable[id].steps;
    return steps > 0 ? steps - 1 : 0;
  }
  if (id == vst3ids::kBypass) {
    return 1;
  }
  return id == vst3ids::kProgram ? kProgramSteps : 0;
}

vst3::ParamID idAt(vst3::int32 index) {
  if (index < kNumZelParameters) {
    return static_cast<vst3::ParamID>(index);
  }
  if (index == kBypassIndex) {
    return vst3ids::kBypass;
  }
  if (index == kProgramIndex) {
    return vst3ids::kProgram;
  }
  return vst3ids::kFirstController + static_cast<vst3::ParamID>(index - kFirstControllerIndex);
}

bool known(vst3::ParamID id) {
  return vst3ids::isEffectParameter(id) || id == vst3ids::kBypass || id == vst3ids::kProgram ||
         vst3ids::isController(id);
}

std::string trimmed(const char* text) {
  std::string s(text);
  const size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? std::string()
                                    : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// A typed number, whole text; false for anything else.
bool numberOf(const std::string& text, double& number) {
  char* end = nullptr;
  number = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == 0 && std::isfinite(number);
}

}  // namespace

vst3::tresult Vst3Plugin::getParameterInfo(vst3::int32 paramIndex, ParameterInfo& info) {
  return guarded([&] {
    if (paramIndex < 0 || paramIndex >= vst3ids::kParameterCount) {
      return vst3::kInvalidArgument;
    }
    info = ParameterInfo{};
    info.id = idAt(paramIndex);
    info.stepCount = stepCountOf(info.id);
    info.unitId = vst3::kRootUnitId;
    if (vst3ids::isEffectParameter(info.id)) {
      const ParameterRow& row = kParameterTable[info.id];
      copyUtf16(row.name, info.title, std::size(info.title));
      copyUtf16(row.shortName, info.shortTitle, std::size(info.shortTitle));
      copyUtf16(trimmed(row.label).c_str(), info.units, std::size(info.units));
      info.defaultNormalizedValue = row.defaultValue;
      // Every step has its text ("on", "clk", a note's number): offered as a list.
      info.flags = ParameterInfo::kCanAutomate | (info.stepCount > 0 ? ParameterInfo::kIsList : 0);
    } else if (info.id == vst3ids::kBypass) {
      // Power off, seen from the host's side (vst3bypass.h).
      copyUtf16("Bypass", info.title, std::size(info.title));
      copyUtf16("Bypass", info.shortTitle, std::size(info.shortTitle));
      info.flags = ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass;
    } else if (info.id == vst3ids::kProgram) {
      // Not automatable: a program moves every other automatable value.
      copyUtf16("Program", info.title, std::size(info.title));
      copyUtf16("Program", info.shortTitle, std::size(info.shortTitle));
      info.flags = ParameterInfo::kIsProgramChange | ParameterInfo::kIsList;
    } else {
      char title[32];
      std::snprintf(title, sizeof(title), "MIDI CC %u",
                    static_cast<unsigned>(info.id - vst3ids::kFirstController));
      copyUtf16(title, info.title, std::size(info.title));
      copyUtf16(title, info.shortTitle, std::size(info.shortTitle));
      info.flags = ParameterInfo::kIsReadOnly | ParameterInfo::kIsHidden;
    }
    return vst3::kResultOk;
  });
}

vst3::tresult Vst3Plugin::getParamStringByValue(vst3::ParamID id, vst3::ParamValue value,
                                                vst3::String128 string) {
  return guarded([&] {
    if (string == nullptr || !known(id) || !std::isfinite(value)) {
      return vst3::kInvalidArgument;
    }
    value = std::clamp(value, 0.0, 1.0);
    std::string text;
    if (vst3ids::isEffectParameter(id)) {
      if (effect == nullptr) {
        return vst3::kNotInitialized;
      }
      char shown[64] = {};
      effect->parameterText(id, static_cast<float>(value), shown, sizeof(shown));
      // The unit is the parameter's own field: hosts show it beside the text.
      text = shown;
      const std::string unit = trimmed(kParameterTable[id].label);
      const size_t cut = text.size() - std::min(text.size(), unit.size() + 1);
      if (!unit.empty() && cut > 0 && text.ends_with(unit) && text[cut] == ' ') {
        text.resize(cut);
      }
    } else if (id == vst3ids::kBypass) {
      text = value >= 0.5 ? "on" : "off";
    } else if (id == vst3ids::kProgram) {
      if (effect == nullptr) {
        return vst3::kNotInitialized;
      }
      char name[kProgramNameSize + 1] = {};
      effect->programName(static_cast<int>(normalizedParamToPlain(id, value)), name);
      text = name;
    } else {
      text = std::to_string(std::lround(value * 127.0));
    }
    copyUtf16(text.c_str(), string, 128);
    return vst3::kResultOk;
  });
}

vst3::tresult Vst3Plugin::getParamValueByString(vst3::ParamID id, vst3::TChar* string,
                                                vst3::ParamValue& valueNormalized) {
  return guarded([&] {
    if (string == nullptr || !known(id)) {
      return vst3::kInvalidArgument;
    }
    const std::string text = trimmed(utf8Of(string, 128).c_str());
    double number = 0.0;
    if (vst3ids::isEffectParameter(id)) {
      float normalized = 0.0f;
      if (effect == nullptr || !effect->parameterFromText(id, text.c_str(), normalized)) {
        return vst3::kResultFalse;
      }
      valueNormalized = normalized;
    } else if (id == vst3ids::kBypass) {
      if (text == "on" || text == "off") {
        valueNormalized = text == "on" ? 1.0 : 0.0;
      } else if (numberOf(text, number)) {
        valueNormalized = number >= 0.5 ? 1.0 : 0.0;
      } else {
        return vst3::kResultFalse;
      }
    } else if (id == vst3ids::kProgram) {
      if (effect == nullptr) {
        return vst3::kNotInitialized;
      }
      for (int p = 0; p < effect->programCount(); ++p) {
        char name[kProgramNameSize + 1] = {};
        effect->programName(p, name);
        if (text == trimmed(name)) {
          valueNormalized = plainParamToNormalized(id, p);
          return vst3::kResultOk;
        }
      }
      if (!numberOf(text, number)) {
        return vst3::kResultFalse;
      }
      valueNormalized = plainParamToNormalized(id, number);
    } else {
      if (!numberOf(text, number)) {
        return vst3::kResultFalse;
      }
      valueNormalized = std::clamp(number, 0.0, 127.0) / 127.0;
    }
    return vst3::kResultOk;
  });
}

// Stepped values count their steps; the rest stay normalized, but for the
// controllers' stand-ins, which count as MIDI does.
vst3::ParamValue Vst3Plugin::normalizedParamToPlain(vst3::ParamID id, vst3::ParamValue value) {
  value = std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : 0.0;
  const vst3::int32 steps = stepCountOf(id);
  if (steps > 0) {
    return std::min<double>(steps, std::floor(value * (steps + 1)));
  }
  return vst3ids::isController(id) ? value * 127.0 : value;
}

vst3::ParamValue Vst3Plugin::plainParamToNormalized(vst3::ParamID id, vst3::ParamValue plain) {
  if (!std::isfinite(plain)) {
    return 0.0;
  }
  const vst3::int32 steps = stepCountOf(id);
  if (steps > 0) {
    return std::clamp(std::floor(plain + 0.5), 0.0, static_cast<double>(steps)) / steps;
  }
  return std::clamp(vst3ids::isController(id) ? plain / 127.0 : plain, 0.0, 1.0);
}

vst3::ParamValue Vst3Plugin::getParamNormalized(vst3::ParamID id) {
  if (vst3ids::isEffectParameter(id)) {
    return effect != nullptr ? effect->parameter(id) : kParameterTable[id].defaultValue;
  }
  if (id == vst3ids::kBypass) {
    return effect != nullptr && effect->parameter(kPower) < 0.5f ? 1.0 : 0.0;
  }
  if (id == vst3ids::kProgram) {
    return effect != nullptr ? plainParamToNormalized(id, effect->currentProgram()) : 0.0;
  }
  return vst3ids::isController(id) ? controllerValues[id - vst3ids::kFirstController].load() : 0.0;
}

// The host's copy of a value, for the controller's eyes: the processor gets
// the same value through its queues, so an effect value (or the bypass) is
// set here only while nothing processes. A program is loaded here, where loads belong.
vst3::tresult Vst3Plugin::setParamNormalized(vst3::ParamID id, vst3::ParamValue value) {
  return guarded([&] {
    if (!known(id) || !std::isfinite(value)) {
      return vst3::kInvalidArgument;
    }
    value = std::clamp(value, 0.0, 1.0);
    if (vst3ids::isEffectParameter(id) || id == vst3ids::kBypass) {
      if (effect != nullptr && !active) {
        // Without processing there is nothing to fade: the bypass is Power at once.
        const bool isBypass = id == vst3ids::kBypass;
        const float asked = isBypass ? (value >= 0.5 ? 0.25f : 0.75f) : static_cast<float>(value);
        effect->setParameter(isBypass ? vst3::ParamID{kPower} : id, asked, ValueSource::kHost);
      }
    } else if (id == vst3ids::kProgram) {
      programAsked.store(static_cast<int>(normalizedParamToPlain(id, value)));
    } else {
      controllerValues[id - vst3ids::kFirstController].store(static_cast<float>(value));
    }
    tellNews();
    return vst3::kResultOk;
  });
}

vst3::tresult Vst3Plugin::setComponentHandler(vst3::IComponentHandler* given) {
  if (given == handler) {
    return vst3::kResultOk;
  }
  releaseHandlers();
  if (given != nullptr) {
    given->addRef();
    handler = given;
    void* found = nullptr;
    if (given->queryInterface(vst3::IComponentHandler2::iid.bytes, &found) == vst3::kResultOk) {
      handler2 = static_cast<vst3::IComponentHandler2*>(found);
    }
    found = nullptr;
    if (given->queryInterface(vst3::IUnitHandler::iid.bytes, &found) == vst3::kResultOk) {
      unitHandler = static_cast<vst3::IUnitHandler*>(found);
    }
  }
  return vst3::kResultOk;
}

// Every controller number on every channel of the one event bus goes to its
// stand-in; aftertouch and pitch bend drive nothing.
vst3::tresult Vst3Plugin::getMidiControllerAssignment(vst3::int32 busIndex, vst3::int16 channel,
                                                      vst3::CtrlNumber number, vst3::ParamID& id) {
  if (busIndex != 0 || channel < 0 || channel >= 16 || number < 0 ||
      number >= vst3ids::kControllers) {
    return vst3::kResultFalse;
  }
  id = vst3ids::kFirstController + static_cast<vst3::ParamID>(number);
  return vst3::kResultTrue;
}
