// The host's bypass as Power off, faded: Power goes off only once the output
// is the dry input alone, comes on under a dry output that then fades, and no
// switch moves the output by more than one step of the fade.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plugin/vst3/vst3bypass.h"

namespace {

// At 1000 Hz the fade is 10 frames: a step of 0.1 in gain.
constexpr double kRate = 1000.0;
constexpr uint32_t kBlock = 64;
constexpr uint32_t kFade = 10;

struct Change {
  uint32_t frame;
  bool on;
  bool operator==(const Change&) const = default;
};

std::vector<Change> changesOf(const Vst3Bypass& bypass) {
  std::vector<Change> out;
  for (size_t i = 0; i < bypass.powerChangeCount(); ++i) {
    out.push_back({bypass.powerChanges()[i].frame, bypass.powerChanges()[i].on});
  }
  return out;
}

// A block as the effect leaves it: silence while Power is on, the input (all
// ones) while it is off, Power switching at `changes`; then the bypass's mix.
std::vector<float> mixedBlock(Vst3Bypass& bypass, bool powerOn) {
  const std::vector<float> input(kBlock, 1.0f);
  const float* inputs[1] = {input.data()};
  if (bypass.fades()) {
    bypass.keepDry(inputs, 1, kBlock);
  }
  std::vector<float> out(kBlock);
  size_t next = 0;
  for (uint32_t i = 0; i < kBlock; ++i) {
    while (next < bypass.powerChangeCount() && bypass.powerChanges()[next].frame <= i) {
      powerOn = bypass.powerChanges()[next++].on;
    }
    out[i] = powerOn ? 0.0f : 1.0f;
  }
  float* outputs[1] = {out.data()};
  if (bypass.fades()) {
    bypass.mix(outputs, 1);
  }
  return out;
}

float largestStep(const std::vector<float>& samples, float before) {
  float most = 0.0f;
  for (const float s : samples) {
    most = std::max(most, std::fabs(s - before));
    before = s;
  }
  return most;
}

}  // namespace

TEST(Vst3Bypass, FadesAroundPowerSoThatNoSwitchClicks) {
  Vst3Bypass bypass;
  bypass.prepare(kRate, kBlock, true);
  const float step = 1.0f / kFade + 1e-6f;

  // In: Power stays on while the dry input fades in, and goes off at the end.
  bypass.startBlock(true, true);
  bypass.switchAt(5, true);
  bypass.endPlan(kBlock);
  EXPECT_EQ(changesOf(bypass), (std::vector<Change>{{5 + kFade, false}}));
  std::vector<float> out = mixedBlock(bypass, true);
  EXPECT_EQ(out[4], 0.0f);
  EXPECT_LE(largestStep(out, 0.0f), step);
  EXPECT_EQ(out.back(), 1.0f);

  // Out: Power comes on at the switch under the dry output, which fades away.
  bypass.startBlock(false, true);
  bypass.switchAt(20, false);
  bypass.endPlan(kBlock);
  EXPECT_EQ(changesOf(bypass), (std::vector<Change>{{20, true}}));
  out = mixedBlock(bypass, false);
  EXPECT_EQ(out[19], 1.0f);
  EXPECT_LE(largestStep(out, 1.0f), step);
  EXPECT_EQ(out.back(), 0.0f);

  // Back before the fade ends: Power never switches, and the fade turns.
  bypass.startBlock(true, true);
  bypass.switchAt(0, true);
  bypass.switchAt(4, false);
  bypass.endPlan(kBlock);
  EXPECT_TRUE(changesOf(bypass).empty());
  out = mixedBlock(bypass, true);
  EXPECT_LE(largestStep(out, 0.0f), step);
  EXPECT_NEAR(out[3], 0.4f, 1e-6f);
  EXPECT_EQ(out.back(), 0.0f);

  // A fade that outlasts its block ends in the next one.
  bypass.startBlock(true, true);
  bypass.switchAt(kBlock - 4, true);
  bypass.endPlan(kBlock);
  EXPECT_TRUE(changesOf(bypass).empty());
  out = mixedBlock(bypass, true);
  bypass.startBlock(true, true);
  bypass.endPlan(kBlock);
  EXPECT_EQ(changesOf(bypass), (std::vector<Change>{{kFade - 4, false}}));
  EXPECT_LE(largestStep(mixedBlock(bypass, true), out.back()), step);

  // Power switched on the panel moves nothing of the fade; a host's switch
  // to where Power already is changes nothing.
  bypass.startBlock(true, true);
  bypass.switchAt(3, false);
  bypass.endPlan(kBlock);
  EXPECT_TRUE(changesOf(bypass).empty());
  EXPECT_FALSE(bypass.fades());

  // Without audio (a flush) there is nothing to fade: Power switches at once.
  bypass.startBlock(true, false);
  bypass.switchAt(7, true);
  bypass.endPlan(0);
  EXPECT_EQ(changesOf(bypass), (std::vector<Change>{{0, false}}));
  EXPECT_FALSE(bypass.fades());
}
