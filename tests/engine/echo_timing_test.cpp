// Where echoes land and what they sound like: gain, timing, doubling, bypass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "render.h"

namespace {

// A plain delay: no modulation, no feedback, only the delayed signal heard.
void plainDelay(Render& r, float dlyTime) {
  r.set({{kMix, 1.0f}, {kDlyTime, dlyTime}, {kDepth, 0.0f}, {kManVCO, 0.5f}, {kFbck, 0.0f}});
  r.settle();
}

}  // namespace

TEST(Echo, MixZeroIsUnityGain) {
  Render r;
  r.set({{kMix, 0.0f}, {kInput, 0.5f}, {kOutput, 0.5f}, {kPower, 1.0f}});
  r.settle();
  const Stereo in = noise(44100, 0.9f);
  const Stereo out = r.run(in, 441);
  for (size_t i = 0; i < in.size(); ++i) {
    ASSERT_NEAR(out.l[i], in.l[i], 1e-6f) << i;
    ASSERT_NEAR(out.r[i], in.r[i], 1e-6f) << i;
  }
}

// The echo's peak lands D + 3 samples after the peak of the anti-alias
// filter's own response: one sample from writing at t = 1 (x[n-1]) and two
// from reading at t = 0 (the second-newest memory value). The filter's
// peak itself sits one sample in at 44.1 kHz and further in at higher rates,
// since its cutoff stays at 14 kHz. The rate may come before switching on or,
// as some hosts give it, while switched on, after processing at another rate.
TEST(Echo, ImpulseEchoArrivesAfterTheDelayPlusTheFixedLatency) {
  struct Case {
    float rate;
    size_t delay;         // 1600 ms in samples
    size_t expectedPeak;  // by the arithmetic above
    float earlierRate;    // played before the rate is given while on
  };
  for (const Case& c :
       {Case{44100.0f, 70560, 70564, 48000.0f}, Case{48000.0f, 76800, 76805, 44100.0f},
        Case{96000.0f, 153600, 153606, 44100.0f}}) {
    Render bypass(c.rate);
    plainDelay(bypass, 0.0f);
    const Stereo direct = bypass.run(impulse(64));
    const size_t filterPeak = peakIndex(direct.l);

    for (bool rateWhileOn : {false, true}) {
      Render r(rateWhileOn ? c.earlierRate : c.rate);
      plainDelay(r, 0.5f);
      if (rateWhileOn) {
        r.silence(4096);
        r.plugin.dispatch(effSetSampleRate, 0, 0, nullptr, c.rate);
      }
      const Stereo out = r.run(impulse(c.delay + 100));
      const size_t echo = peakIndex(out.l, 100, out.size());
      EXPECT_EQ(echo, c.delay + 3 + filterPeak) << c.rate << " while on " << rateWhileOn;
      EXPECT_EQ(echo, c.expectedPeak) << c.rate << " while on " << rateWhileOn;
      EXPECT_EQ(peakIndex(out.r, 100, out.size()), echo);
      EXPECT_GT(out.l[echo], 0.1f);
      EXPECT_LT(peakValue(out.l, 0, c.delay), 1e-6f);  // nothing heard before it
    }
  }
}

// Each offline render starts afresh on a cleared memory: a note on the very
// first sample is repeated as loudly as the same note later. The instance is
// set up as Audacity does it: switched on at 44.1 kHz, its state restored and
// the project's rate given while on.
TEST(Echo, ABurstAtTheVeryStartEchoesAsOneLaterDoes) {
  for (float rate : {44100.0f, 48000.0f}) {
    const auto delay = static_cast<size_t>(rate * 0.16f);  // DlyTime 0.05
    const auto later = static_cast<size_t>(rate / 2.0f);
    const Stereo burst = noise(static_cast<size_t>(rate / 50.0f), 0.5f, 4);  // 20 ms
    auto echoOf = [&](size_t at) {
      Render r;
      plainDelay(r, 0.05f);
      r.plugin.restoreChunk(r.plugin.chunk());
      r.plugin.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
      Stereo in(later + delay + 2000);
      std::copy(burst.l.begin(), burst.l.end(), in.l.begin() + static_cast<long>(at));
      std::copy(burst.r.begin(), burst.r.end(), in.r.begin() + static_cast<long>(at));
      const Stereo out = r.run(in);
      const auto from = static_cast<long>(at + delay);
      return std::vector<float>(out.l.begin() + from, out.l.begin() + from + 1000);
    };
    const std::vector<float> reference = echoOf(later);
    ASSERT_GT(rms(reference, 0, reference.size()), 0.05f) << rate;
    for (size_t at : {size_t{0}, size_t{441}, size_t{882}, size_t{2205}}) {
      const std::vector<float> early = echoOf(at);
      for (size_t i = 0; i < reference.size(); ++i) {
        ASSERT_NEAR(early[i], reference[i], 1e-5f) << rate << " Hz, burst at " << at << ", " << i;
      }
    }
  }
}

TEST(Echo, DoublingDoublesTheTimeAndCutsAboveSixKilohertz) {
  Render r;
  r.set({{kDlyx2, 1.0f}});
  plainDelay(r, 0.05f);  // 160 ms, heard after 320 ms
  const Stereo out = r.run(impulse(20000));
  const size_t echo = peakIndex(out.l, 100, out.size());
  EXPECT_NEAR(static_cast<double>(echo), 2.0 * 7056, 8.0);

  // A 3 kHz tone passes, 12 kHz is far down: the bandwidth ends near 6 kHz.
  auto echoLevel = [](float hz, bool doubled) {
    Render t;
    t.set({{kDlyx2, doubled ? 1.0f : 0.0f}});
    plainDelay(t, 0.05f);
    const Stereo o = t.run(sine(30000, hz, 0.1f));
    return rms(o.l, 20000, 30000);
  };
  const float low = echoLevel(3000.0f, true);
  const float high = echoLevel(12000.0f, true);
  EXPECT_GT(low, 0.05f);
  EXPECT_LT(high, 0.1f * low);
  // Without doubling the 12 kHz tone still gets through.
  EXPECT_GT(echoLevel(12000.0f, false), 0.3f * low);
}

TEST(Echo, ZeroDelayPassesTheLimitedInputStraightThrough) {
  Render r;
  plainDelay(r, 0.0f);
  const Stereo out = r.run(impulse(2000));
  EXPECT_LE(peakIndex(out.l), 3u);
  EXPECT_GT(peakValue(out.l), 0.1f);
  EXPECT_LT(peakValue(out.l, 100, 2000), 1e-4f);

  // A loud input comes out limited: the window mean never passes 1.
  const Stereo loud = r.run(sine(4410, 1000.0f, 1.0f));
  r.set({{kInput, 1.0f}});  // gain 4
  const Stereo limited = r.run(sine(8820, 1000.0f, 1.0f));
  EXPECT_LT(rms(limited.l, 4410, 8820), 1.2f);
  EXPECT_GT(rms(limited.l, 4410, 8820), rms(loud.l, 2000, 4410));
}
