#include "parameterlookup.h"

#include "arguments.h"
#include "failure.h"
#include "hostedplugin.h"

int findParameter(const HostedPlugin& plugin, const std::string& name) {
  const VstInt32 count = plugin.effect()->numParams;
  for (VstInt32 i = 0; i < count; ++i) {
    if (plugin.parameterName(i) == name) {
      return i;
    }
  }
  std::string valid;
  for (VstInt32 i = 0; i < count; ++i) {
    valid += (i == 0 ? "\"" : ", \"") + plugin.parameterName(i) + "\"";
  }
  if (valid.empty()) {
    valid = "none: the plug-in has no parameters";
  }
  throw Failure("unknown parameter '" + name + "'; valid parameters: " + valid);
}

ParameterSetting parseParameterSetting(const HostedPlugin& plugin, const std::string& text) {
  // Names may contain '=' only before the last one ("Dly<>Clk=1" has none).
  const size_t equals = text.rfind('=');
  if (equals == std::string::npos || equals == 0) {
    throw Failure("--set: '" + text + "' is not NAME=VALUE");
  }
  const std::string name = text.substr(0, equals);
  const double value = parseNumber(text.substr(equals + 1), "--set " + name);
  if (value < 0.0 || value > 1.0) {
    throw Failure("--set " + name + ": value " + text.substr(equals + 1) + " is out of range 0..1");
  }
  return {findParameter(plugin, name), static_cast<float>(value)};
}
