#include "tailestimate.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "hostedplugin.h"

namespace {

// The time a parameter shows, in seconds, if its label is a time unit.
double shownSeconds(const HostedPlugin& plugin, VstInt32 index) {
  const std::string label = plugin.text(effGetParamLabel, index);
  double scale = 0.0;
  if (label == "ms" || label == "msec") {
    scale = 0.001;
  } else if (label == "s" || label == "sec") {
    scale = 1.0;
  } else {
    return 0.0;
  }
  const std::string display = plugin.text(effGetParamDisplay, index);
  char* end = nullptr;
  const double value = std::strtod(display.c_str(), &end);
  return end == display.c_str() || value < 0.0 ? 0.0 : value * scale;
}

}  // namespace

TailRule defaultTail(const HostedPlugin& plugin, double tempo) {
  TailRule rule;
  const double rate = plugin.context().sampleRate;
  const VstIntPtr declared = plugin.dispatch(effGetTailSize);
  if (declared > 1) {  // 1 means "no tail" by convention
    rule.fixedSeconds = std::min(static_cast<double>(declared) / rate, rule.maxSeconds);
    return rule;
  }
  // A whole 4/4 bar covers tempo-synced delays; a delay time shown on a
  // parameter covers the rest. Feedback shows itself: the echoes keep the
  // output from falling silent for as long as they last.
  double longest = 4.0 * 60.0 / tempo;
  for (VstInt32 i = 0; i < plugin.effect()->numParams; ++i) {
    longest = std::max(longest, shownSeconds(plugin, i));
  }
  rule.quietSeconds = std::min(2.0 * longest + 0.5, rule.maxSeconds);  // room for doubling
  return rule;
}
