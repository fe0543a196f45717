// Construction, switching on and off, sample-rate changes and the status the
#include <cmath>
#include <complex>
// editor reads.
#include <gtest/gtest.h>

#include "render.h"

TEST(Lifecycle, ConstructionStartsWithTheDefaultProgram) {
  Render r;
  EXPECT_EQ(r.probe().engineSampleRate(), 44100);
  EXPECT_EQ(r.probe().engine().memoryLength(), 141121);
  EXPECT_EQ(r.probe().engine().limiterWindow(), 4);
  EXPECT_EQ(r.zel().getTempo(), 120.0f);
  EXPECT_FLOAT_EQ(r.plugin.getParameter(kDlyTime), 0.624961f);
  EXPECT_NEAR(r.probe().delayTimeMs(), 1999.9f, 0.1f);
  EXPECT_EQ(r.probe().antiAliasCutoff(), 14000.0f);
}

TEST(Lifecycle, ResumeTakesTheHostRate) {
  struct Case {
    float hostRate;
    int rate, length, window;
    float cutoff, doubledCutoff;
  };
  for (const Case& c : {Case{96000.0f, 96000, 307201, 8, 14000.0f, 6000.0f},
                        Case{48000.0f, 48000, 153601, 4, 14000.0f, 6000.0f},
                        Case{22050.0f, 22050, 70561, 2, 7000.0f, 3000.0f},
                        Case{4000.0f, 44100, 141121, 4, 14000.0f, 6000.0f},
                        Case{250000.0f, 44100, 141121, 4, 14000.0f, 6000.0f},
                        Case{192000.0f, 192000, 614401, 16, 14000.0f, 6000.0f}}) {
    Render r(c.hostRate);
    EXPECT_EQ(r.probe().engineSampleRate(), c.rate) << c.hostRate;
    EXPECT_EQ(r.probe().engine().memoryLength(), c.length) << c.hostRate;
    EXPECT_EQ(r.probe().engine().limiterWindow(), c.window) << c.hostRate;
    EXPECT_FLOAT_EQ(r.probe().antiAliasCutoff(), c.cutoff) << c.hostRate;
    r.set({{kDlyx2, 1.0f}});
    EXPECT_FLOAT_EQ(r.probe().antiAliasCutoff(), c.doubledCutoff) << c.hostRate;
    EXPECT_EQ(r.probe().engine().cycleWindow(), c.rate / 50);
  }
}

TEST(Lifecycle, AFilterDesignedForItsCutoffIsSixDecibelsDownThere) {
  for (float fc : {6000.0f, 14000.0f}) {
    const auto c = dsp::BiquadCoefficients::lowpass(fc, 44100.0f);
    const double w = 2.0 * kTestPi * fc / 44100.0;
    const std::complex<double> z1 = std::polar(1.0, -w);
    const double b0 = c.b0, b1 = c.b1, b2 = c.b2, a1 = c.a1, a2 = c.a2;
    const std::complex<double> h = (b0 + b1 * z1 + b2 * z1 * z1) / (1.0 + a1 * z1 + a2 * z1 * z1);
    EXPECT_NEAR(20.0 * std::log10(std::norm(h)), -6.02, 0.05) << fc;  // two sections
    EXPECT_NEAR((c.b0 + c.b1 + c.b2) / (1.0 + c.a1 + c.a2), 1.0, 1e-5);
  }
}

TEST(Lifecycle, SuspendClearsTheMemoryAndResumeAtANewRateReseats) {
  Render r;
  r.set({{kMix, 1.0f}, {kDlyTime, 0.05f}, {kFbck, 0.0f}});
  r.settle();
  r.silence(8192);
  r.run(noise(4000, 0.5f));
  r.plugin.dispatch(effMainsChanged, 0, 0);
  r.plugin.dispatch(effMainsChanged, 0, 1);
  EXPECT_LT(peakValue(r.silence(10000).l), 1e-6f);  // nothing left to repeat

  r.plugin.dispatch(effMainsChanged, 0, 0);
  r.plugin.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  r.plugin.dispatch(effMainsChanged, 0, 1);
  r.silence(8192);
  const Stereo out = r.run(impulse(9000));
  EXPECT_NEAR(static_cast<double>(peakIndex(out.l, 100, 9000)), 7680.0 + 4.0, 2.0);
}

TEST(Lifecycle, StatusReadsHandTheirRequestsToTheAudioThread) {
  Render r;
  r.set({{kMix, 1.0f}, {kDlyTime, 0.1f}});  // 320 ms cycle: 14112 samples, 882-sample window
  r.settle();
  r.host.setTempo(120.0, 0.0);  // at a cycle boundary: the indicator lights
  r.run(noise(256, 0.5f));
  EngineStatus first = r.zel().getEngineStatus();
  EXPECT_TRUE(first.cycleIndicator);
  EXPECT_GT(first.peakLevel, 0.0f);
  EXPECT_EQ(first.nominalDelayMs, 320);
  EXPECT_EQ(first.effectiveDelayMs, 320);
  // Two reads with no processing between them answer the same.
  EngineStatus second = r.zel().getEngineStatus();
  EXPECT_EQ(second.cycleIndicator, first.cycleIndicator);
  EXPECT_EQ(second.peakLevel, first.peakLevel);
  // Mid-cycle, the first sample after a read clears the indicator; each read
  // starts a new peak.
  r.host.setTempo(120.0, 0.25);
  r.silence(64);
  EngineStatus third = r.zel().getEngineStatus();
  EXPECT_FALSE(third.cycleIndicator);
  r.silence(64);
  EXPECT_LT(r.zel().getEngineStatus().peakLevel, 1e-6f);
}

TEST(Lifecycle, OscillatorPhaseIsPublishedAfterEachBlock) {
  Render r;
  r.set({{kRate, 1.0f}});  // 10 Hz: 0.001425 rad a sample
  r.settle();
  r.silence(100, 100);
  EXPECT_NEAR(r.zel().getEngineStatus().oscillatorPhase, 100 * 2 * kTestPi * 10 / 44100, 1e-4);
}

TEST(Lifecycle, ScannerStyleLifeEndsCleanly) {
  FakeHost host;
  for (int i = 0; i < 3; ++i) {
    Plugin p;
    p.dispatch(effMainsChanged, 0, 0);  // switched off without ever being on
    char text[64];
    p.dispatch(effGetEffectName, 0, 0, text);
  }
}
