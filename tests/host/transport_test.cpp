#include "transport.h"

#include <gtest/gtest.h>

TEST(Transport, PositionAdvancesWithTheAudioAtTheTempo) {
  Transport transport(48000.0, 90.0);
  const VstTimeInfo* first = transport.current();
  EXPECT_EQ(first->samplePos, 0.0);
  EXPECT_EQ(first->sampleRate, 48000.0);
  EXPECT_EQ(first->tempo, 90.0);
  EXPECT_NE(first->flags & kVstTransportChanged, 0);
  EXPECT_NE(first->flags & kVstTransportPlaying, 0);
  for (int i = 0; i < 250; ++i) transport.advance(512);  // 128000 frames: 2.666 s, 4 quarters
  const VstTimeInfo* later = transport.current();
  EXPECT_EQ(later->samplePos, 128000.0);
  EXPECT_DOUBLE_EQ(later->ppqPos, 128000.0 / 48000.0 * 1.5);
  EXPECT_DOUBLE_EQ(later->barStartPos, 4.0);
  EXPECT_EQ(later->timeSigNumerator, 4);
  EXPECT_EQ(later->timeSigDenominator, 4);
  EXPECT_EQ(later->flags & kVstTransportChanged, 0);
  const VstInt32 valid = kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
  EXPECT_EQ(later->flags & valid, valid);
}
