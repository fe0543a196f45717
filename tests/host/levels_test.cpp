#include <gtest/gtest.h>

#include <cmath>

#include "audiolevels.h"

TEST(Levels, PeakAndRmsOfASquareWaveAndOfSilence) {
  Audio audio;
  audio.channels.assign(2, std::vector<float>(1000, 0.5f));
  for (size_t i = 0; i < 1000; i += 2) audio.channels[1][i] = -0.5f;
  const Levels square = measureLevels(audio);
  EXPECT_NEAR(square.peakDb, -6.0206, 1e-3);
  EXPECT_NEAR(square.rmsDb, -6.0206, 1e-3);
  audio.channels[0].assign(1000, 0.0f);  // half the energy gone: 3 dB down
  EXPECT_NEAR(measureLevels(audio).rmsDb, -9.0309, 1e-3);
  EXPECT_EQ(formatDb(-6.0206), "-6.0 dBFS");
  audio.channels[1].assign(1000, 0.0f);
  EXPECT_EQ(formatDb(measureLevels(audio).peakDb), "-inf dBFS");
  EXPECT_EQ(formatDb(measureLevels(Audio{}).rmsDb), "-inf dBFS");
}
