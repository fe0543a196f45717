// The parameter table against what each format tells its host: a row that
// drifts from what a format reports, or a display that no longer reads back,
// shows here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>
#include <utility>

#include "clapinstance.h"
#include "common/parameters.h"
#include "common/steps.h"
#include "host/clap.h"
#include "hostedplugin.h"

namespace {

std::string trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// A text whose figure has decimals, as CLAP hosts show it: "0.100000 Hz" as "0.1 Hz".
std::string readable(const std::string& text) {
  const size_t blank = text.find(' ');
  const std::string figure = text.substr(0, blank);
  char* end = nullptr;
  const double number = std::strtod(figure.c_str(), &end);
  if (figure.find('.') == std::string::npos || *end != 0) {
    return text;
  }
  std::string shown = std::to_string(std::round(number * 100.0) / 100.0);
  shown.erase(shown.find_last_not_of('0') + 1);
  if (shown.back() == '.') {
    shown.pop_back();
  }
  return (shown == "-0" ? "0" : shown) + (blank == std::string::npos ? "" : text.substr(blank));
}

double plainOf(const ParameterRow& row, float v) {
  return row.steps != 0 ? stepIndex(v, row.steps) : static_cast<double>(v);
}

}  // namespace

TEST(ParameterTable, EveryFormatReportsEachRowAndReadsBackItsOwnTexts) {
  const PluginLibrary clapLibrary(ONDEX_CLAP_PATH);
  ASSERT_NE(clapLibrary.clapModule(), nullptr);
  ClapInstance clap(*clapLibrary.clapModule());
  const auto* params = clap.extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
  auto vst = PluginLibrary(ONDEX_VST_PATH).instantiate(HostSettings{});
  ASSERT_EQ(clap.paramCount(), static_cast<uint32_t>(kNumZelParameters));
  ASSERT_EQ(vst->effect()->numParams, 2 * kNumZelParameters);

  for (const ParameterRow& row : kParameterTable) {
    const int i = row.index;
    SCOPED_TRACE(row.name);

    // VST 2.4: names, units, the factory default in a new instance, and the
    // default controller as the value of the assignment parameter.
    EXPECT_EQ(vst->parameterName(i), row.name);
    EXPECT_EQ(vst->parameterName(kNumZelParameters + i), std::string("CC# ") + row.name);
    EXPECT_EQ(vst->text(effGetParamLabel, i), row.label);
    EXPECT_FLOAT_EQ(vst->parameter(i), row.defaultValue);
    EXPECT_EQ(stepIndex(vst->parameter(kNumZelParameters + i), 129), row.defaultController);

    // VST 2.4 properties: answered for the switches, the stepped values and a
    // value with a host step, carrying the short name.
    VstParameterProperties p{};
    const bool answered = vst->dispatch(effGetParameterProperties, i, 0, &p) != 0;
    EXPECT_EQ(answered, row.kind != ParameterKind::Continuous || row.hostStep != 0.0f);
    if (answered) {
      EXPECT_STREQ(p.shortLabel, row.shortName);
      EXPECT_EQ((p.flags & kVstParameterIsSwitch) != 0, row.kind == ParameterKind::Switch);
      EXPECT_EQ(p.stepFloat, row.hostStep);
    }

    // CLAP: the same name, stepped exactly where the table steps, and the
    // factory default as the host's default.
    const clap_param_info_t info = clap.paramInfo(static_cast<uint32_t>(i));
    EXPECT_STREQ(info.name, row.name);
    EXPECT_EQ((info.flags & CLAP_PARAM_IS_STEPPED) != 0, row.steps != 0);
    EXPECT_EQ(info.max_value, row.steps != 0 ? row.steps - 1 : 1.0);
    EXPECT_EQ(info.default_value, plainOf(row, row.defaultValue));

    // Displays: the VST 2.4 text with its unit is the CLAP text (its figure
    // shown to two decimals at most), and the CLAP text reads back to a value
    // that shows exactly that text.
    for (const float v : {0.0f, 0.13f, 0.5f, 0.77f, 1.0f}) {
      SCOPED_TRACE(v);
      vst->setParameter(i, v);
      const std::string unit = trimmed(row.label);
      const std::string vstText =
          trimmed(vst->text(effGetParamDisplay, i)) + (unit.empty() ? "" : " " + unit);
      const std::string clapText = clap.valueText(static_cast<clap_id>(i), plainOf(row, v));
      EXPECT_EQ(readable(vstText), clapText);
      double parsed = -1.0;
      ASSERT_TRUE(params->text_to_value(&clap.plugin(), i, clapText.c_str(), &parsed));
      EXPECT_EQ(clap.valueText(static_cast<clap_id>(i), parsed), clapText);
    }
  }

  // Figures typed between the shown ones land as typed; a note length takes
  // the nearest entry, a switch a figure from 0.5 as on; a figure far out of
  // range is held to the end.
  const std::pair<clap_id, const char*> typed[] = {{kInput, "0 dB"}, {kDepth, "12.5"},
                                                   {kRate, "1 Hz"},  {kDen, "97"},
                                                   {kDlyx2, "1"},    {kMix, "1e30"}};
  const double expected[] = {0.5, 0.125, 0.5, 12.0, 1.0, 0.0};
  for (size_t k = 0; k < std::size(typed); ++k) {
    double parsed = -1.0;
    EXPECT_TRUE(params->text_to_value(&clap.plugin(), typed[k].first, typed[k].second, &parsed));
    EXPECT_EQ(parsed, expected[k]) << typed[k].second;
  }
  double parsed = -1.0;
  EXPECT_FALSE(params->text_to_value(&clap.plugin(), kMix, "half", &parsed));
}
