#include "chosenstate.h"

#include <cstdio>

#include "arguments.h"
#include "hostedplugin.h"
#include "parameterlookup.h"
#include "programs.h"

void applyChosenState(HostedPlugin& plugin, const ParsedOptions& options, bool verbose) {
  if (options.has("program")) {
    ProgramList programs(plugin);
    const int index = programs.find(options.value("program"));
    programs.select(index);
    if (verbose) {
      std::fprintf(stderr, "program %d \"%s\"\n", index,
                   programs.names()[static_cast<size_t>(index)].c_str());
    }
  }
  for (const std::string& text : options.all("set")) {
    const ParameterSetting setting = parseParameterSetting(plugin, text);
    plugin.setParameter(setting.index, setting.value);
    if (verbose) {
      std::fprintf(stderr, "set %s = %g (%s %s)\n", plugin.parameterName(setting.index).c_str(),
                   static_cast<double>(setting.value),
                   plugin.text(effGetParamDisplay, setting.index).c_str(),
                   plugin.text(effGetParamLabel, setting.index).c_str());
    }
  }
}
