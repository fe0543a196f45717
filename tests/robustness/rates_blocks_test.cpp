// Every sample rate a host may set, in range and out of it, and the block
// sizes hosts use at the edges: 0, 1, odd, and larger than announced.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/render.h"

TEST(SampleRates, EveryRateInRangeRunsAndDelaysByTheSameTime) {
  for (float rate : {5000.0f, 8000.0f, 11025.0f, 22050.0f, 32000.0f, 44100.0f, 48000.0f, 88200.0f,
                     96000.0f, 176400.0f, 192000.0f, 200000.0f}) {
    Render r(rate);
    EXPECT_EQ(r.probe().engineSampleRate(), static_cast<int>(rate));
    r.set({{kMix, 1.0f}, {kDlyTime, 0.05f}, {kDepth, 0.0f}, {kFbck, 0.0f}});  // 160 ms
    r.settle();
    const size_t n = static_cast<size_t>(0.3f * rate);
    const Stereo out = r.run(impulse(n));
    ASSERT_TRUE(allFinite(out)) << rate;
    const double expected = 0.16 * rate;
    EXPECT_NEAR(static_cast<double>(peakIndex(out.l, 10, n)), expected, 4.0 + rate / 10000.0)
        << rate;
  }
}

TEST(SampleRates, RatesOutOfRangeFallBackTo44100) {
  for (float rate :
       {0.0f, -44100.0f, 1.0f, 4999.0f, 200001.0f, 1.0e9f, 3.0e38f,
        std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::quiet_NaN()}) {
    Render r(rate);
    EXPECT_EQ(r.probe().engineSampleRate(), 44100) << rate;
    EXPECT_TRUE(allFinite(r.run(noise(8192, 0.5f)))) << rate;
  }
}

TEST(BlockSizes, EdgeSizesGiveTheSameAudioAsEvenBlocks) {
  const Stereo in = noise(3 * 8192 + 11, 0.5f, 5);
  auto render = [&](size_t block) {
    Render r;
    r.set({{kMix, 0.6f}, {kFbck, 0.7f}, {kDlyTime, 0.01f}, {kDepth, 0.7f}, {kWaveform, 0.2f}});
    r.settle();
    return r.run(in, block);
  };
  const Stereo even = render(512);
  for (size_t block : {size_t{1}, size_t{7}, size_t{4096}, size_t{8192}}) {
    const Stereo out = render(block);
    ASSERT_EQ(out.l, even.l) << block;
    ASSERT_EQ(out.r, even.r) << block;
  }
}

TEST(BlockSizes, EmptyBlocksBetweenOthersChangeNothing) {
  const Stereo in = noise(4096, 0.5f, 9);
  Render plain, withEmpty;
  const Stereo expected = plain.run(in, 64);
  Stereo out(in.size());
  AEffect* e = withEmpty.plugin.effect();
  for (size_t at = 0; at < in.size(); at += 64) {
    float* inputs[2] = {const_cast<float*>(in.l.data() + at),   // NOLINT: host buffers
                        const_cast<float*>(in.r.data() + at)};  // NOLINT
    float* outputs[2] = {out.l.data() + at, out.r.data() + at};
    e->processReplacing(e, inputs, outputs, 0);
    e->processReplacing(e, inputs, outputs, -5);  // a broken host's count does nothing either
    e->processReplacing(e, inputs, outputs, 64);
  }
  EXPECT_EQ(out.l, expected.l);
  EXPECT_EQ(out.r, expected.r);
}
