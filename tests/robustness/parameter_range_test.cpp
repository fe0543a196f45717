// Host values far outside 0 to 1: each is limited into the range, so the
// memory clock keeps stepping and no gain overflows. Before the limit, a
// ManVCO of -0.5 stopped the clock's period at zero and hung the audio thread,
// and an Input of 1e20 turned finite input into infinite output.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "engine/render.h"

TEST(ParameterRange, EveryParameterFarOutsideTheRangePlaysFiniteAudio) {
  const float extremes[] = {
      -std::numeric_limits<float>::max(), -1.0e20f, -0.5f, 1.5f, 3.0f, 1.0e20f,
      std::numeric_limits<float>::max()};
  for (VstInt32 index = 0; index < kNumZelParameters; ++index) {
    for (float value : extremes) {
      Render r;
      r.set({{kMix, 0.5f}, {kFbck, 0.5f}, {kDepth, 0.0f}});
      r.set({{index, value}});
      const float kept = r.plugin.getParameter(index);
      EXPECT_GE(kept, 0.0f) << index << " " << value;
      EXPECT_LE(kept, 1.0f) << index << " " << value;
      EXPECT_TRUE(allFinite(r.run(noise(4096, 0.5f)))) << index << " " << value;
    }
  }
}

TEST(ParameterRange, AStoppedClockCannotBeSet) {
  Render r;
  r.set({{kDepth, 0.0f}, {kManVCO, -0.5f}});  // 1 + (1 - 0)(-0.5 - 0.5) would be a zero period
  EXPECT_FLOAT_EQ(r.probe().manualClock(), 0.5f);
  EXPECT_TRUE(allFinite(r.run(noise(2048, 0.5f))));
}

TEST(ParameterRange, OutOfRangeValuesInAChunkAreLimitedWhenApplied) {
  Render r;
  std::vector<unsigned char> chunk = r.plugin.chunk();
  ASSERT_EQ(chunk.size(), 1736u);
  // Program 0's Input, Mix and Fbck.
  for (int index : {kInput, kMix, kFbck}) {
    const float huge = 1.0e30f;
    std::memcpy(chunk.data() + 32 + 24 + static_cast<size_t>(index) * 4, &huge, sizeof(huge));
  }
  ASSERT_EQ(r.plugin.restoreChunk(chunk), 0);
  EXPECT_EQ(r.plugin.getParameter(kInput), 1.0f);
  EXPECT_EQ(r.plugin.getParameter(kMix), 1.0f);
  EXPECT_TRUE(allFinite(r.run(noise(8192, 0.5f))));
}

TEST(ParameterRange, ValuesThatAreNoNumberLeaveTheLastGoodOne) {
  Render r;
  r.set({{kMix, 0.25f}});
  for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                    -std::numeric_limits<float>::infinity()}) {
    r.set({{kMix, bad}});
    EXPECT_EQ(r.plugin.getParameter(kMix), 0.25f);
  }
}
