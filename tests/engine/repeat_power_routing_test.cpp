// Infinite repeat, the power switch and the host's channel routing.
#include <gtest/gtest.h>

#include <cmath>

#include "render.h"

namespace {

constexpr size_t kLoop = 7056;  // DlyTime 0.05: 160 ms at 44.1 kHz

void shortDelay(Render& r) {
  r.set({{kMix, 1.0f}, {kDlyTime, 0.05f}, {kDepth, 0.0f}, {kFbck, 0.0f}});
  r.settle();
  r.silence(8192);
}

Stereo concat(const Stereo& a, const Stereo& b) {
  Stereo s = a;
  s.l.insert(s.l.end(), b.l.begin(), b.l.end());
  s.r.insert(s.r.end(), b.r.begin(), b.r.end());
  return s;
}

}  // namespace

TEST(InfiniteRepeat, HoldsTheMemoryAndIgnoresNewInput) {
  Render r;
  shortDelay(r);
  r.run(noise(kLoop * 2, 0.3f, 7));
  r.set({{kRptInf, 1.0f}});
  EXPECT_TRUE(r.probe().repeatEngaged());
  // Let the 50 ms crossfade into the loop finish, then feed other material.
  r.run(noise(kLoop * 2, 0.3f, 8));
  const Stereo out = r.run(noise(kLoop * 3, 0.5f, 9));
  for (size_t i = 0; i < kLoop * 2; ++i) {
    ASSERT_NEAR(out.l[i], out.l[i + kLoop], 1e-6f) << i;
    ASSERT_NEAR(out.r[i], out.r[i + kLoop], 1e-6f) << i;
  }
  EXPECT_GT(rms(out.l, 0, kLoop), 0.05f);
}

TEST(InfiniteRepeat, SwitchingOffCrossfadesBackToRecordingIn50Ms) {
  Render r;
  shortDelay(r);
  r.run(noise(kLoop * 2, 0.3f, 7));
  r.set({{kRptInf, 1.0f}});
  r.run(noise(kLoop * 2, 0.3f, 8));
  r.set({{kRptInf, 0.0f}});
  EXPECT_FALSE(r.probe().repeatEngaged());
  r.silence(1);
  EXPECT_LT(r.probe().engine().crossfadeGain, 0.01f);
  r.silence(2203);
  EXPECT_LT(r.probe().engine().crossfadeGain, 1.0f);
  r.silence(2);
  EXPECT_EQ(r.probe().engine().crossfadeGain, 1.0f);
  // Set again to the state it has (a chunk or program restored), it fades nothing.
  r.set({{kRptInf, 0.0f}});
  r.silence(1);
  EXPECT_EQ(r.probe().engine().crossfadeGain, 1.0f);
  // With silence recorded from then on, the loop fades out of the memory.
  r.silence(kLoop * 2);
  const Stereo out = r.silence(kLoop);
  EXPECT_LT(peakValue(out.l), 1e-6f);
}

TEST(Power, OffPassesTheRawInputWhileTheDelayKeepsFilling) {
  Render r;
  shortDelay(r);
  r.set({{kPower, 0.0f}, {kInput, 1.0f}});
  Stereo in = noise(2000, 0.5f, 3);
  in.l[5] = 3.0f;  // beyond full scale: still untouched
  const Stereo off = r.run(in);
  for (size_t i = 0; i < in.size(); ++i) {
    ASSERT_EQ(off.l[i], in.l[i]);
    ASSERT_EQ(off.r[i], in.r[i]);
  }
  // Switched on before the echo is due, the echo of what was played is heard.
  r.set({{kPower, 1.0f}, {kInput, 0.5f}});
  const Stereo on = r.silence(kLoop);
  EXPECT_GT(rms(on.l, kLoop - 2000, kLoop), 0.05f);
}

TEST(Routing, UnconnectedRightInputReadsTheLeftForBoth) {
  Render r;
  shortDelay(r);
  r.host.inputPinAnswer[1] = 1;
  Stereo in = noise(kLoop * 2, 0.4f, 4);
  in.r.assign(in.size(), 0.0f);
  const Stereo out = r.run(in);
  for (size_t i = 0; i < out.size(); ++i) {
    ASSERT_EQ(out.l[i], out.r[i]) << i;
  }
  EXPECT_GT(rms(out.r, kLoop, kLoop * 2), 0.05f);
}

TEST(Routing, UnconnectedRightOutputGetsTheMonoSumOnTheLeft) {
  const Stereo in = concat(noise(kLoop * 2, 0.4f, 5), impulse(100));
  Render stereo;
  shortDelay(stereo);
  const Stereo both = stereo.run(in);

  Render mono;
  shortDelay(mono);
  mono.host.outputPinAnswer[1] = 1;
  Stereo out(in.size());
  out.r.assign(in.size(), 42.0f);
  AEffect* e = mono.plugin.effect();
  float* inputs[2] = {const_cast<float*>(in.l.data()), const_cast<float*>(in.r.data())};
  float* outputs[2] = {out.l.data(), out.r.data()};
  e->processReplacing(e, inputs, outputs, static_cast<VstInt32>(in.size()));
  for (size_t i = 0; i < in.size(); ++i) {
    ASSERT_NEAR(out.l[i], 0.5f * both.l[i] + 0.5f * both.r[i], 1e-6f) << i;
    ASSERT_EQ(out.r[i], 42.0f);  // never written
  }
}

TEST(Routing, InPlaceBuffersGiveTheSameOutput) {
  const Stereo in = noise(kLoop * 2, 0.4f, 6);
  Render separate;
  shortDelay(separate);
  const Stereo expected = separate.run(in, in.size());

  Render inPlace;
  shortDelay(inPlace);
  Stereo buffer = in;
  AEffect* e = inPlace.plugin.effect();
  float* io[2] = {buffer.l.data(), buffer.r.data()};
  e->processReplacing(e, io, io, static_cast<VstInt32>(buffer.size()));
  EXPECT_EQ(buffer.l, expected.l);
  EXPECT_EQ(buffer.r, expected.r);
}

TEST(BadInput, NonFiniteSamplesAreSilenceToTheEngine) {
  Render r;
  shortDelay(r);
  r.set({{kFbck, 0.9f}});
  Stereo in = noise(kLoop, 0.3f, 2);
  in.l[100] = std::nanf("");
  in.r[200] = INFINITY;
  in.l[300] = -INFINITY;
  const Stereo out = r.run(in);
  const Stereo after = r.run(noise(kLoop * 4, 0.3f, 3));
  for (size_t i = 0; i < after.size(); ++i) {
    ASSERT_TRUE(std::isfinite(after.l[i]) && std::isfinite(after.r[i])) << i;
  }
  for (size_t i = 0; i < out.size(); ++i) {
    ASSERT_TRUE(std::isfinite(out.l[i]) && std::isfinite(out.r[i])) << i;
  }
  EXPECT_GT(rms(after.l, kLoop * 3, kLoop * 4), 0.05f);
  // With Power off the host's samples pass as they came, whatever they are.
  r.set({{kPower, 0.0f}});
  const Stereo raw = r.run(in);
  EXPECT_TRUE(std::isnan(raw.l[100]));
}
