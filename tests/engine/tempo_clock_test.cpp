// Tempo sync, the song-position cycle, and the variable clock.
#include <gtest/gtest.h>

#include <cmath>

#include "common/steps.h"
#include "engine/dsp/modulationclock.h"
#include "render.h"

namespace {

float numValue(int i) { return stepCentre(i, 5); }
float denValue(int i) { return stepCentre(i, 13); }

}  // namespace

TEST(TempoSync, NoteLengthsFollowTheTempo) {
  Render r;
  r.set({{kNum, numValue(0)}, {kDen, denValue(3)}, {kDlyClk, 1.0f}});  // 1/4 at 120 BPM
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 500.0f);
  EXPECT_FLOAT_EQ(r.plugin.getParameter(kDlyTime), 500.0f / 3200.0f);
  EXPECT_EQ(r.plugin.parameterDisplay(kDlyTime), "500");
  EXPECT_EQ(r.plugin.parameterDisplay(kDlyClk), "clk");

  r.set({{kNum, 1.0f}, {kDen, 0.0f}});  // 9/1: 18 s, held to 3200 ms
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 3200.0f);
  EXPECT_EQ(r.plugin.getParameter(kDlyTime), 1.0f);

  // While synced, DlyTime does nothing and keeps answering the tempo's value.
  r.set({{kDlyTime, 0.1f}});
  EXPECT_EQ(r.plugin.getParameter(kDlyTime), 1.0f);
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 3200.0f);
}

TEST(TempoSync, HostTemposAreClampedAndFollowed) {
  Render r;
  r.set({{kNum, numValue(0)}, {kDen, denValue(3)}, {kDlyClk, 1.0f}});
  r.host.setTempo(20.0);
  r.silence(64);
  EXPECT_EQ(r.zel().getTempo(), 40.0f);
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 1500.0f);  // a quarter at 40 BPM
  // The host's copy of the delay time follows the tempo too.
  ASSERT_TRUE(r.host.last(audioMasterAutomate).has_value());
  EXPECT_EQ(r.host.last(audioMasterAutomate)->index, kDlyTime);
  EXPECT_FLOAT_EQ(r.host.last(audioMasterAutomate)->opt, 1500.0f / 3200.0f);
  r.host.setTempo(500.0);
  r.silence(64);
  EXPECT_EQ(r.zel().getTempo(), 400.0f);
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 150.0f);
  // Both requests come once per block: tempo first, song position second.
  r.host.clear();
  r.silence(64);
  const auto requests = r.host.requests();
  std::vector<VstIntPtr> filters;
  for (const auto& q : requests) {
    if (q.opcode == audioMasterGetTime) {
      filters.push_back(q.value);
    }
  }
  EXPECT_EQ(filters, (std::vector<VstIntPtr>{kVstTempoValid, kVstPpqPosValid}));
}

TEST(TempoSync, WithoutTimeInfoTheSongPositionAdvancesByItself) {
  Render r;
  r.silence(size_t{512} * 10, 512);
  EXPECT_EQ(r.zel().getTempo(), 120.0f);
  EXPECT_NEAR(r.probe().songPosition(), 5120.0 * 120.0 / (44100.0 * 60.0), 1e-5);
  r.host.setTempo(90.0, 7.25);
  r.silence(512);
  EXPECT_EQ(r.probe().songPosition(), 7.25f);
}

TEST(TempoSync, EditorTempoControlIsOverriddenByTheHost) {
  Render r;
  r.set({{kNum, numValue(0)}, {kDen, denValue(3)}, {kDlyClk, 1.0f}});
  r.zel().setTempoFromControl(0.25f);  // 100 BPM
  EXPECT_EQ(r.zel().getTempo(), 100.0f);
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 600.0f);
  r.zel().setTempoFromControl(0.01f);
  EXPECT_EQ(r.zel().getTempo(), 40.0f);
  r.host.setTempo(150.0);
  r.silence(16);
  EXPECT_EQ(r.zel().getTempo(), 150.0f);
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 400.0f);
}

TEST(TempoSync, RepeatEngagesAtTheNextCycleBoundaryInClockMode) {
  Render r;
  r.set({{kMix, 1.0f}, {kNum, numValue(0)}, {kDen, denValue(3)}, {kDlyClk, 1.0f}});  // 500 ms
  r.host.setTempo(120.0, 0.25);  // a quarter of a beat past the boundary: 5512 samples in
  r.silence(64);
  r.set({{kRptInf, 1.0f}});
  EXPECT_FALSE(r.probe().repeatEngaged());
  // The host's position stands still here, so each block starts 5512 samples
  // into the 22050-sample cycle and a block of 8192 ends before the boundary.
  r.silence(8192, 8192);
  EXPECT_FALSE(r.probe().repeatEngaged());
  r.host.setTempo(120.0, 0.99);  // 21829 samples in: the boundary is 222 samples away
  r.silence(200, 200);
  EXPECT_FALSE(r.probe().repeatEngaged());
  r.silence(230, 230);
  EXPECT_TRUE(r.probe().repeatEngaged());

  // In delay mode it engages at once.
  Render d;
  d.set({{kRptInf, 1.0f}});
  EXPECT_TRUE(d.probe().repeatEngaged());
}

// What the loop holds is what is heard, shown and saved; a reload, also into
// an instance that holds a loop of its own, brings back the same.
TEST(TempoSync, TheLoopHoldsItsTimeAndTheClockModeTakesOverWhenItReleases) {
  Render r;
  r.set({{kDlyTime, 0.559f}, {kRptInf, 1.0f}, {kDlyClk, 1.0f}, {kNum, numValue(1)}});
  auto sameAsReloaded = [&r](const char* when) {
    SCOPED_TRACE(when);
    Render other;
    other.set({{kDlyClk, 1.0f}, {kRptInf, 1.0f}});
    const auto saved = r.plugin.chunk();
    ASSERT_EQ(other.plugin.restoreChunk(saved), 0);
    EXPECT_EQ(other.probe().delayTimeMs(), r.probe().delayTimeMs());
    EXPECT_EQ(other.probe().clockSyncOn(), r.probe().clockSyncOn());
    EXPECT_EQ(other.plugin.parameterDisplay(kDlyClk), r.plugin.parameterDisplay(kDlyClk));
    EXPECT_EQ(other.plugin.chunk(), saved);
  };
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 0.559f * 3200.0f);
  EXPECT_EQ(r.plugin.getParameter(kDlyTime), 0.559f);
  EXPECT_EQ(r.plugin.parameterDisplay(kDlyClk), "clk");
  sameAsReloaded("held");

  r.host.clear();
  r.set({{kRptInf, 0.0f}});  // 3/1 at 120 BPM: 6 s, held to 3200 ms
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 3200.0f);
  EXPECT_EQ(r.host.last(audioMasterAutomate)->index, kDlyTime);
  EXPECT_EQ(r.host.last(audioMasterAutomate)->opt, 1.0f);
  sameAsReloaded("released");

  r.set({{kDlyClk, 0.0f}, {kRptInf, 1.0f}, {kDlyClk, 1.0f}, {kDlyClk, 0.0f}, {kRptInf, 0.0f}});
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 3200.0f);  // back in delay mode with the time heard
  EXPECT_FALSE(r.probe().clockSyncOn());
  sameAsReloaded("switched back and forth while held");
}

TEST(TempoSync, ProgramSelectedWhileRepeatingBringsItsOwnDelay) {
  Render r;
  r.set({{kDlyTime, 0.25f}, {kRptInf, 1.0f}});
  r.zel().selectProgram(1);  // "wiper": its own DlyTime, whatever the repeat was
  EXPECT_NEAR(r.probe().delayTimeMs(), 1.1f, 0.01f);
  EXPECT_FALSE(r.probe().repeatEngaged());  // and its own RptInf is off
  r.zel().selectProgram(2);                 // "8th fast tape": synced, 1/8 at 120 BPM
  EXPECT_TRUE(r.probe().clockSyncOn());
  EXPECT_FLOAT_EQ(r.probe().delayTimeMs(), 250.0f);
}

TEST(Clock, SquareWaveAlternatesHalfAndOneAndAHalf) {
  Render r;
  r.set({{kWaveform, 1.0f}, {kDepth, 1.0f}, {kRate, 1.0f}, {kManVCO, 0.9f}});
  r.settle();  // depth at 1 from the first sample
  r.silence(1, 1);
  EXPECT_NEAR(r.probe().clockPeriod(), 1.5f, 1e-4f);
  int halves = 0;
  int longs = 0;
  for (int i = 0; i < 4410 * 2; ++i) {
    r.silence(1, 1);
    const float p = r.probe().clockPeriod();
    ASSERT_TRUE(std::fabs(p - 0.5f) < 1e-4f || std::fabs(p - 1.5f) < 1e-4f) << i << " " << p;
    (p < 1.0f ? halves : longs)++;
    if (i < 2200) {
      ASSERT_LT(p, 1.0f) << i;  // the first half period runs fast
    }
  }
  EXPECT_NEAR(halves, 4410, 4);
  EXPECT_NEAR(longs, 4410, 4);
}

TEST(Clock, EnvelopeModeInSilenceRunsJustAboveHalfPeriod) {
  Render r;
  r.set({{kWaveform, 0.5f}, {kDepth, 1.0f}});
  r.settle();
  r.silence(44100);
  const float p = r.probe().clockPeriod();
  EXPECT_GT(p, 0.5f);
  EXPECT_LT(p, 0.52f);
}

TEST(Clock, ManualClockAndDoublingScaleTheDelayHeard) {
  Render r;
  r.set({{kDlyTime, 1.0f}, {kManVCO, 1.0f}, {kDlyx2, 1.0f}});
  r.silence(64);
  EXPECT_FLOAT_EQ(r.probe().clockPeriod(), 3.0f);
  EXPECT_EQ(r.zel().getEngineStatus().effectiveDelayMs, 9600);  // the longest delay heard
  r.set({{kManVCO, 0.0f}, {kDlyx2, 0.0f}});
  r.silence(64);
  EXPECT_EQ(r.zel().getEngineStatus().effectiveDelayMs, 1600);
  EXPECT_EQ(r.zel().getEngineStatus().nominalDelayMs, 3200);
  // Depth 1 puts the manual period back to 1, whatever ManVCO says.
  r.set({{kDepth, 1.0f}});
  EXPECT_EQ(r.probe().manualClock(), 1.0f);
}

TEST(Clock, PeriodStepKeepsTheTimeToTheNextMemoryStep) {
  dsp::ModulationClock clock;
  dsp::ClockSettings settings{0.0f, 0.0f, false, 0.0f, 1.0f, 1.0f};
  clock.clockPhase = 0.3f;  // 0.7 samples to go at one step per sample
  settings.doublingFactor = 2.0f;
  const float q = clock.advance(settings, 0.0f);
  EXPECT_FLOAT_EQ(clock.clockStep, 0.5f);
  EXPECT_FLOAT_EQ(q, 0.65f);
  // The step of this sample falls at t = (1 - q) / s: still 0.7 into the sample.
  EXPECT_FLOAT_EQ((1.0f - q) / clock.clockStep, 0.7f);
  EXPECT_FLOAT_EQ(clock.clockPhase, 1.15f);
}
