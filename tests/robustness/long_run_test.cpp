// Ten minutes of audio at full input gain and full feedback, then with
// infinite repeat: the limiter keeps the loop bounded and the peak is reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/render.h"

TEST(LongRun, FullFeedbackAndInfiniteRepeatForTenMinutesStayBounded) {
  Render r;
  r.set({{kInput, 1.0f},
         {kFbck, 1.0f},
         {kMix, 1.0f},
         {kOutput, 0.5f},
         {kDlyTime, 0.3f},
         {kDepth, 1.0f},
         {kWaveform, 0.8f},
         {kRate, 0.6f}});
  r.settle();
  constexpr size_t kBlock = 4096;
  constexpr size_t kMinute = size_t{44100} * 60;
  const Stereo in = noise(kBlock * 8, 1.0f, 3);
  Stereo chunk(kBlock);
  float peak = 0.0f, firstMinutePeak = 0.0f, lastMinutePeak = 0.0f;
  for (size_t at = 0; at < 10 * kMinute; at += kBlock) {
    if (at >= 5 * kMinute && at < 5 * kMinute + kBlock) {
      r.set({{kRptInf, 1.0f}});  // the second half loops what the first built up
    }
    const size_t from = (at / kBlock % 8) * kBlock;
    std::copy_n(in.l.begin() + static_cast<long>(from), kBlock, chunk.l.begin());
    std::copy_n(in.r.begin() + static_cast<long>(from), kBlock, chunk.r.begin());
    const Stereo out = r.run(chunk, kBlock);
    const float blockPeak = std::max(peakValue(out.l), peakValue(out.r));
    ASSERT_TRUE(std::isfinite(blockPeak)) << at;
    peak = std::max(peak, blockPeak);
    if (at < kMinute) {
      firstMinutePeak = std::max(firstMinutePeak, blockPeak);
    } else if (at >= 9 * kMinute) {
      lastMinutePeak = std::max(lastMinutePeak, blockPeak);
    }
  }
  std::printf("peak over ten minutes: %.3f (first minute %.3f, last minute %.3f)\n", peak,
              firstMinutePeak, lastMinutePeak);
  RecordProperty("peak", std::to_string(peak));
  EXPECT_LT(peak, 8.0f);
  EXPECT_LE(lastMinutePeak, 2.0f * firstMinutePeak + 1.0f);  // no slow build-up
}
