// What the host sees of the parameters: names, labels, texts, properties.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "render.h"

namespace {

class Parameters : public ::testing::Test {
 protected:
  std::string display(VstInt32 index, float value) {
    r.plugin.setParameter(index, value);
    return r.plugin.parameterDisplay(index);
  }
  Render r;
};

}  // namespace

TEST_F(Parameters, NamesAndLabels) {
  const char* names[] = {"Input", "Output", "Mix",   "DlyTime",  "Dlyx2", "DlyInv",
                         "Fbck",  "HiCut",  "FbInv", "ManVCO",   "Depth", "Waveform",
                         "Rate",  "RptInf", "Power", "Dly<>Clk", "Num",   "Den"};
  const char* labels[] = {"dB", "dB", "%", "ms", " ", " ", "dB", " ", " ",
                          "X",  "%",  "",  "Hz", " ", " ", " ",  " ", " "};
  for (VstInt32 i = 0; i < 18; ++i) {
    EXPECT_EQ(r.plugin.text(effGetParamName, i), names[i]);
    EXPECT_EQ(r.plugin.text(effGetParamLabel, i), labels[i]);
    EXPECT_EQ(r.plugin.text(effGetParamName, 18 + i), std::string("CC# ") + names[i]);
    EXPECT_EQ(r.plugin.text(effGetParamLabel, 18 + i), " ");
  }
  EXPECT_EQ(r.plugin.text(effGetParamName, 27), "CC# ManVCO");
  EXPECT_EQ(r.plugin.text(effGetParamName, 36), "");
  EXPECT_EQ(r.plugin.text(effGetParamLabel, 99), " ");
  EXPECT_EQ(r.plugin.text(effGetParamDisplay, 18), "control 102");  // Input's controller
}

TEST_F(Parameters, DisplayTexts) {
  const std::vector<std::tuple<VstInt32, float, std::string>> rows = {
      {kInput, 0.5f, "0.000000"},  {kInput, 1.0f, "12.04120"},  {kOutput, 0.0f, "-oo"},
      {kMix, 0.0f, "dry"},         {kMix, 1.0f, "wet"},         {kMix, 0.25f, "75-25"},
      {kDlyTime, 0.5f, "1600"},    {kDlyTime, 1.5f, "3200"},    {kDlyTime, 0.0f, "0"},
      {kDlyx2, 0.75f, "on"},       {kDlyx2, 0.25f, "off"},      {kDlyInv, 0.5f, "on"},
      {kHiCut, 0.49f, "off"},      {kFbInv, 1.0f, "on"},        {kRptInf, 0.0f, "off"},
      {kPower, 0.75f, "on"},       {kFbck, 1.0f, "0.000000"},   {kFbck, 0.001f, "-60.0000"},
      {kFbck, 0.0f, "-oo"},        {kManVCO, 0.5f, "1.000000"}, {kManVCO, 0.0f, "0.500000"},
      {kDepth, 0.999f, "99"},      {kDepth, 0.0f, "0"},         {kWaveform, 0.0f, "sin"},
      {kWaveform, 0.25f, "50-50"}, {kWaveform, 0.5f, "env"},    {kWaveform, 0.75f, "50-50"},
      {kWaveform, 0.1f, "80-20"},  {kWaveform, 0.9f, "20-80"},  {kWaveform, 1.0f, "sqr"},
      {kRate, 0.0f, "0.100000"},   {kRate, 1.0f, "10.00000"},   {kDlyClk, 0.0f, "dly"},
      {kNum, 1.0f, "9"},           {kNum, 0.19f, "1"},          {kNum, 0.2f, "3"},
      {kDen, 1.0f, "96"},          {kDen, 0.0f, "1"},           {kDlyClk, 1.0f, "clk"},
  };
  for (const auto& [index, value, text] : rows) {
    EXPECT_EQ(display(index, value), text) << index << " at " << value;
  }
}

TEST_F(Parameters, RateSetsTheOscillatorPeriod) {
  r.plugin.setParameter(kRate, 0.0f);
  EXPECT_FLOAT_EQ(r.probe().rateHz(), 0.1f);
  r.plugin.setParameter(kRate, 1.0f);
  EXPECT_FLOAT_EQ(r.probe().rateHz(), 10.0f);
}

TEST_F(Parameters, KeptValuesAndTheDelayLimit) {
  r.plugin.setParameter(kDlyTime, 1.5f);
  EXPECT_EQ(r.plugin.getParameter(kDlyTime), 1.0f);
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 3200.0f);
  // Repeating, neither DlyTime nor Dly<>Clk moves the delay; the mode follows the switch.
  r.plugin.setParameter(kRptInf, 1.0f);
  r.plugin.setParameter(kDlyTime, 0.1f);
  r.plugin.setParameter(kDlyClk, 1.0f);
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 3200.0f);
  EXPECT_EQ(r.plugin.getParameter(kDlyClk), 1.0f);
  EXPECT_TRUE(r.probe().clockSyncOn());
  // Values that are no number are ignored; the last good one stays.
  r.plugin.setParameter(kMix, 0.3f);
  r.plugin.setParameter(kMix, std::nanf(""));
  r.plugin.setParameter(kInput, INFINITY);
  EXPECT_EQ(r.plugin.getParameter(kMix), 0.3f);
  EXPECT_EQ(r.plugin.getParameter(kInput), 0.5f);
}

TEST_F(Parameters, Properties) {
  auto properties = [&](VstInt32 index, VstParameterProperties& p) {
    std::memset(&p, 0x55, sizeof(p));
    return r.plugin.dispatch(effGetParameterProperties, index, 0, &p);
  };
  VstParameterProperties p;
  ASSERT_EQ(properties(kDlyTime, p), 1);
  std::uint32_t bits;
  std::memcpy(&bits, &p.stepFloat, 4);
  EXPECT_EQ(bits, 0x3923d07du);
  EXPECT_EQ(p.smallStepFloat, p.stepFloat);
  EXPECT_EQ(p.flags, kVstParameterUsesFloatStep);

  for (VstInt32 index : {kDlyx2, kDlyInv, kHiCut, kFbInv, kRptInf, kPower, kDlyClk}) {
    ASSERT_EQ(properties(index, p), 1) << index;
    EXPECT_EQ(p.minInteger, 0);
    EXPECT_EQ(p.maxInteger, 1);
    EXPECT_EQ(p.stepInteger, 1);
    EXPECT_EQ(p.largeStepInteger, 1);
    EXPECT_EQ(p.flags,
              kVstParameterIsSwitch | kVstParameterUsesIntegerMinMax | kVstParameterUsesIntStep);
  }
  for (VstInt32 index : {kNum, kDen}) {
    ASSERT_EQ(properties(index, p), 1);
    EXPECT_EQ(p.minInteger, 1);
    EXPECT_EQ(p.stepInteger, 1);
    EXPECT_EQ(p.maxInteger, index == kNum ? 5 : 14);
    EXPECT_EQ(p.flags, 0);
  }
  // A record answered is wholly ours: the name as label, nothing the host left in it.
  char name[kVstMaxLabelLen];
  for (VstInt32 index : {3, 4, 5, 7, 8, 13, 14, 15, 16, 17}) {
    ASSERT_EQ(properties(index, p), 1);
    r.plugin.dispatch(effGetParamName, index, 0, name);
    EXPECT_STREQ(p.label, name);
    EXPECT_EQ(std::string(p.shortLabel, strnlen(p.shortLabel, 8)), std::string(name).substr(0, 7));
    EXPECT_EQ(p.shortLabel[7], 0);
    EXPECT_EQ(p.categoryLabel[0], 0);
    EXPECT_EQ(p.displayIndex | p.category | p.numParametersInCategory | p.reserved, 0);
  }
  for (VstInt32 index : {0, 1, 2, 6, 9, 10, 11, 12, 18, 20, 35, 36, -1}) {
    VstParameterProperties untouched;
    std::memset(&untouched, 0x55, sizeof(untouched));
    EXPECT_EQ(properties(index, p), 0) << index;
    // Every byte, padding included, must be as the host left it.
    // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison)
    EXPECT_EQ(std::memcmp(&p, &untouched, sizeof(p)), 0) << index;
  }
}
