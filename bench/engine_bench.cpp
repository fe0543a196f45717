// Cost of processReplacing per stereo sample frame, beside a plain reference
// loop (stereo biquad and linearly interpolated delay with feedback) so each
// figure can be read as a ratio.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "engine/zel.h"
#include "host/pluginentry.h"
#include "quiethost.h"

namespace {

constexpr int kBlock = 512;

struct Buffers {
  std::vector<float> inL, inR, outL, outR;
  Buffers() : inL(kBlock), inR(kBlock), outL(kBlock), outR(kBlock) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> dist(-0.5f, 0.5f);
    for (int i = 0; i < kBlock; ++i) {
      inL[i] = dist(rng);
      inR[i] = dist(rng);
    }
  }
};

// Seconds of CPU time per stereo frame (shown as e.g. "28.8n").
void setFrameCounter(benchmark::State& state) {
  state.counters["per_frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void runEngine(benchmark::State& state, float sampleRate,
               std::vector<std::pair<VstInt32, float>> settings) {
  quiethost::transport.tempo = 120.0;
  AEffect* e = pluginEntry(quiethost::callback);
  e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, sampleRate);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
  for (const auto& [index, value] : settings) {
    e->setParameter(e, index, value);
  }
  e->dispatcher(e, effMainsChanged, 0, 0, nullptr, 0.0f);
  e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
  Buffers b;
  float* in[2] = {b.inL.data(), b.inR.data()};
  float* out[2] = {b.outL.data(), b.outR.data()};
  for (int warm = 0; warm < 200; ++warm) {
    e->processReplacing(e, in, out, kBlock);
  }
  for (auto _ : state) {
    e->processReplacing(e, in, out, kBlock);
    benchmark::DoNotOptimize(b.outL.data());
  }
  setFrameCounter(state);
  e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f);
}

void DefaultProgram(benchmark::State& state) { runEngine(state, 44100.0f, {}); }
void FastModulation(benchmark::State& state) {
  runEngine(state, 44100.0f, {{kWaveform, 0.0f}, {kDepth, 1.0f}, {kRate, 1.0f}});
}
void EnvelopeModulation(benchmark::State& state) {
  runEngine(state, 44100.0f, {{kWaveform, 0.25f}, {kDepth, 1.0f}, {kRate, 1.0f}});
}
void FullFeedbackHighCut(benchmark::State& state) {
  runEngine(state, 44100.0f, {{kFbck, 1.0f}, {kHiCut, 1.0f}});
}
void TwoStepsPerSample(benchmark::State& state) {
  runEngine(state, 44100.0f, {{kManVCO, 0.0f}, {kDepth, 0.0f}});  // clock period 0.5
}
void DefaultProgramAt96k(benchmark::State& state) { runEngine(state, 96000.0f, {}); }

// The reference: one biquad and a linearly interpolated delay with feedback per channel.
void ReferenceLoop(benchmark::State& state) {
  Buffers b;
  const int length = 141121;
  std::vector<float> delay(static_cast<size_t>(length) * 2, 0.0f);
  const float b0 = 0.2f, b1 = 0.4f, b2 = 0.2f, a1 = -0.3f, a2 = 0.1f;
  float x1[2] = {}, x2[2] = {}, y1[2] = {}, y2[2] = {};
  int write = 0;
  const float delaySamples = 70560.37f;
  const int whole = static_cast<int>(delaySamples);
  const float frac = delaySamples - static_cast<float>(whole);
  for (auto _ : state) {
    for (int i = 0; i < kBlock; ++i) {
      const float in[2] = {b.inL[i], b.inR[i]};
      float out[2];
      int r0 = write - whole;
      if (r0 < 0) {
        r0 += length;
      }
      const int r1 = r0 == 0 ? length - 1 : r0 - 1;
      for (int c = 0; c < 2; ++c) {
        const float d = delay[r0 * 2 + c] + frac * (delay[r1 * 2 + c] - delay[r0 * 2 + c]);
        const float y = b0 * in[c] + b1 * x1[c] + b2 * x2[c] - a1 * y1[c] - a2 * y2[c];
        x2[c] = x1[c];
        x1[c] = in[c];
        y2[c] = y1[c];
        y1[c] = y;
        delay[write * 2 + c] = y + 0.5f * d;
        out[c] = 0.5f * in[c] + 0.5f * d;
      }
      b.outL[i] = out[0];
      b.outR[i] = out[1];
      if (++write == length) {
        write = 0;
      }
    }
    benchmark::DoNotOptimize(b.outL.data());
  }
  setFrameCounter(state);
}

}  // namespace

BENCHMARK(ReferenceLoop);
BENCHMARK(DefaultProgram);
BENCHMARK(FastModulation);
BENCHMARK(EnvelopeModulation);
BENCHMARK(FullFeedbackHighCut);
BENCHMARK(TwoStepsPerSample);
BENCHMARK(DefaultProgramAt96k);

BENCHMARK_MAIN();
