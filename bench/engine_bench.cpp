// Cost of processReplacing per stereo sample frame, beside a plain reference
// loop (stereo biquad and linearly interpolated delay with feedback) so each
// figure can be read as a ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "editor/editor.h"
#include "enginecases.h"

namespace {

constexpr int kBlock = 512;

// Seconds of CPU time per stereo frame (shown as e.g. "28.8n").
void setFrameCounter(benchmark::State& state, int frames) {
  state.counters["per_frame"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * frames,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One case at the given rate and block size.
void runCase(benchmark::State& state, EngineCase c, int block) {
  AEffect* e = openEngineCase(c);
  NoiseBlock b(block);
  for (int warm = 0; warm < 100 * kBlock / block; ++warm) {
    b.process(e, block);
  }
  for (auto _ : state) {
    b.process(e, block);
    benchmark::DoNotOptimize(b.outL.data());
  }
  setFrameCounter(state, block);
  closeEngineCase(e);
}

void registerCase(const std::string& name, EngineCase c, int block) {
  benchmark::RegisterBenchmark(name.c_str(),
                               [c, block](benchmark::State& s) { runCase(s, c, block); });
}

// Instances in one thread, each with its own block in turn, as a host runs a
// session's plug-ins; per_frame is per frame of one instance.
void Instances(benchmark::State& state) {
  const auto count = static_cast<size_t>(state.range(0));
  std::vector<AEffect*> effects;
  for (size_t i = 0; i < count; ++i) {
    effects.push_back(openEngineCase(*findEngineCase("DefaultProgram")));
  }
  std::vector<NoiseBlock> blocks(count, NoiseBlock(kBlock));
  for (auto _ : state) {
    for (size_t i = 0; i < count; ++i) {
      blocks[i].process(effects[i], kBlock);
      benchmark::DoNotOptimize(blocks[i].outL.data());
    }
  }
  setFrameCounter(state, kBlock * static_cast<int>(count));
  for (AEffect* e : effects) {
    closeEngineCase(e);
  }
}

// What a block costs before its first frame: the host requests (two pin
// queries, two time requests) and the block set-up, measured as empty blocks.
void EmptyBlock(benchmark::State& state) {
  AEffect* e = openEngineCase(*findEngineCase("DefaultProgram"), &createEditor);
  NoiseBlock b(kBlock);
  for (auto _ : state) {
    b.process(e, 0);
    benchmark::DoNotOptimize(b.outL.data());
  }
  closeEngineCase(e);
}

// From the entry point to the first processed block, with the editor made (as
// the module makes it) but not opened.
void Instantiation(benchmark::State& state) {
  NoiseBlock b(kBlock);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    AEffect* e = openEngineCase(*findEngineCase("DefaultProgram"), &createEditor);
    b.process(e, kBlock);
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    closeEngineCase(e);
  }
}

// The reference: one biquad and a linearly interpolated delay with feedback per channel.
void ReferenceLoop(benchmark::State& state) {
  NoiseBlock b(kBlock);
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
  setFrameCounter(state, kBlock);
}

// Every case at 44.1 kHz (or its own rate) and 512 frames; then the rates and
// block sizes for the default program and the dearest case.
const int registered = [] {
  benchmark::RegisterBenchmark("ReferenceLoop", ReferenceLoop);
  for (const EngineCase& c : engineCases()) {
    registerCase(c.name, c, kBlock);
  }
  for (const char* name : {"DefaultProgram", "EnvelopeModulation"}) {
    EngineCase c = *findEngineCase(name);
    for (int block : {16, 64, 4096}) {
      registerCase(std::string(name) + "/block:" + std::to_string(block), c, block);
    }
    for (int rate : {48000, 88200, 96000, 176400, 192000}) {
      c.sampleRate = static_cast<float>(rate);
      registerCase(std::string(name) + "/rate:" + std::to_string(rate), c, kBlock);
    }
  }
  benchmark::RegisterBenchmark("Instances", Instances)->Arg(1)->Arg(16);
  benchmark::RegisterBenchmark("EmptyBlock", EmptyBlock);
  benchmark::RegisterBenchmark("Instantiation", Instantiation)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  return 0;
}();

}  // namespace

BENCHMARK_MAIN();
