#include "enginecases.h"

#include <cstring>
#include <random>

#include "plugin/parametertable.h"
#include "plugin/zel.h"
#include "quiethost.h"

const std::vector<EngineCase>& engineCases() {
  static const std::vector<EngineCase> cases = {
      {"DefaultProgram", 44100.0f, {}},
      {"FastModulation", 44100.0f, {{kWaveform, 0.0f}, {kDepth, 1.0f}, {kRate, 1.0f}}},
      {"EnvelopeModulation", 44100.0f, {{kWaveform, 0.25f}, {kDepth, 1.0f}, {kRate, 1.0f}}},
      {"EnvelopeOnly", 44100.0f, {{kWaveform, 0.5f}, {kDepth, 1.0f}}},
      {"SquareModulation", 44100.0f, {{kWaveform, 1.0f}, {kDepth, 1.0f}, {kRate, 0.5f}}},
      {"FullFeedbackHighCut", 44100.0f, {{kFbck, 1.0f}, {kHiCut, 1.0f}}},
      {"TwoStepsPerSample", 44100.0f, {{kManVCO, 0.0f}, {kDepth, 0.0f}}},  // clock period 0.5
      {"SlowClockDoubled", 44100.0f, {{kManVCO, 1.0f}, {kDlyx2, 1.0f}}},   // clock period 3
      {"ShortDelayFeedback", 44100.0f, {{kDlyTime, 0.001f}, {kFbck, 0.9f}, {kFbInv, 1.0f}}},
      {"RepeatEngaged", 44100.0f, {{kRptInf, 1.0f}}},
      {"PowerOff", 44100.0f, {{kPower, 0.0f}}},
      // The whole loop on one chain: feedback through the swept clock.
      {"FeedbackModulation",
       44100.0f,
       {{kFbck, 0.6f}, {kHiCut, 1.0f}, {kWaveform, 0.25f}, {kDepth, 1.0f}, {kRate, 1.0f}}},
  };
  return cases;
}

const EngineCase* findEngineCase(const char* name) {
  for (const EngineCase& c : engineCases()) {
    if (std::strcmp(c.name, name) == 0) {
      return &c;
    }
  }
  return nullptr;
}

AEffect* openEngineCase(const EngineCase& c, EditorFactory editorFactory) {
  quiethost::transport.tempo = 120.0;
  AEffect* e = effectEntry(quiethost::callback, editorFactory);
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, c.sampleRate);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
  for (const auto& [index, value] : c.settings) {
    e->setParameter(e, index, value);
  }
  // Switching off and on settles the smoothed controls on the new values.
  e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
  return e;
}

void closeEngineCase(AEffect* e) { e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f); }

NoiseBlock::NoiseBlock(int frames) : inL(frames), inR(frames), outL(frames), outR(frames) {
  std::mt19937 rng(5);
  std::uniform_real_distribution<float> dist(-0.5f, 0.5f);
  for (int i = 0; i < frames; ++i) {
    inL[i] = dist(rng);
    inR[i] = dist(rng);
  }
}
