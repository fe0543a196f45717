// Parameters by the names the plug-in gives them, and "--set NAME=VALUE".
#pragma once

#include <string>

class HostedPlugin;

struct ParameterSetting {
  int index;
  float value;
};

// The index of the parameter called name; throws Failure listing the names.
int findParameter(const HostedPlugin& plugin, const std::string& name);

// Reads "NAME=VALUE" with VALUE in 0..1; throws Failure.
ParameterSetting parseParameterSetting(const HostedPlugin& plugin, const std::string& text);
