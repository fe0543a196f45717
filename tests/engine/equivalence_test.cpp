// The optimised engine against the plain transcription of the signal path.
#include <gtest/gtest.h>

#include <cmath>

#include "reference_engine.h"
#include "render.h"

namespace {

struct Case {
  const char* name;
  ReferenceSettings s;
};

void apply(Render& r, const ReferenceSettings& s) {
  r.set({{kInput, s.input},
         {kOutput, s.output},
         {kMix, s.mix},
         {kDlyTime, s.dlyTime},
         {kFbck, s.feedback},
         {kManVCO, s.manVco},
         {kDepth, s.depth},
         {kWaveform, s.waveform},
         {kRate, s.rate},
         {kDlyx2, s.doubled ? 1.0f : 0.0f},
         {kDlyInv, s.delayInverted ? 1.0f : 0.0f},
         {kHiCut, s.hiCut ? 1.0f : 0.0f},
         {kFbInv, s.feedbackInverted ? 1.0f : 0.0f}});
  r.settle();
}

}  // namespace

TEST(Equivalence, OptimisedEngineMatchesThePlainSignalPath) {
  const Case cases[] = {
      {"default", {}},
      {"sine sweep", {.dlyTime = 0.01f, .depth = 1.0f, .waveform = 0.0f, .rate = 1.0f}},
      {"envelope and sine", {.dlyTime = 0.02f, .depth = 0.7f, .waveform = 0.25f, .rate = 0.5f}},
      {"square", {.dlyTime = 0.01f, .depth = 1.0f, .waveform = 1.0f, .rate = 0.8f}},
      {"feedback",
       {.mix = 0.8f,
        .dlyTime = 0.005f,
        .feedback = 0.95f,
        .hiCut = true,
        .feedbackInverted = true}},
      {"slow clock", {.dlyTime = 0.004f, .manVco = 1.0f, .doubled = true, .delayInverted = true}},
      {"fast clock", {.input = 0.9f, .dlyTime = 0.004f, .manVco = 0.0f}},
      {"no delay", {.mix = 1.0f, .dlyTime = 0.0f}},
  };
  const Stereo in = noise(30000, 0.8f, 21);
  for (const Case& c : cases) {
    Render r;
    apply(r, c.s);
    const Stereo out = r.run(in, 300);
    std::vector<float> refL, refR;
    referenceRender(c.s, in.l, in.r, refL, refR);
    float worst = 0.0f;
    for (size_t i = 0; i < in.size(); ++i) {
      worst = std::max(worst, std::fabs(out.l[i] - refL[i]));
      worst = std::max(worst, std::fabs(out.r[i] - refR[i]));
    }
    // Every shortcut of the engine is exact, so not even a rounding step differs.
    EXPECT_EQ(worst, 0.0f) << c.name;
    EXPECT_GT(rms(out.l, 20000, 30000), 0.01f) << c.name;
  }
}
