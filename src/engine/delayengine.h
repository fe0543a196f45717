// The signal path: input stage, anti-alias filter, limiter, a delay memory
// written and read at the variable clock's rate, feedback and output mix.
// Plain and allocation-free while processing; allocation only in prepare().
#pragma once

#include "dsp/antialiasfilter.h"
#include "dsp/controlglide.h"
#include "dsp/levellimiter.h"
#include "dsp/modulationclock.h"

// What the audio thread reads of the controls, once per block.
struct BlockSettings {
  float inputGainTarget = 1.0f;
  float outputGainTarget = 1.0f;
  float mix = 0.5f;
  float feedback = 0.0f;
  float depth = 0.0f;
  float delaySign = 1.0f;
  float feedbackSign = 1.0f;
  bool hiCutOn = false;
  bool powerOn = true;
  bool repeatOn = false;
  // The memory looping, as the controls last left it (switching RptInf off clears it).
  bool repeatEngaged = false;
  dsp::ClockSettings clock{0.0f, 1.0f, true, 0.0f, 1.0f, 1.0f};
  // Requests consumed by this block.
  bool delayChanged = false;
  float delayTimeMs = 0.0f;
  bool resetPeak = false;
  bool acknowledgeIndicator = false;
  // Delay cycle, from the song position: position in samples, cycle length D.
  int cyclePosition = 0;
  int cycleLength = 0;
};

// What the block leaves for the controls and the editor.
struct BlockResult {
  bool repeatEngagedAtBoundary = false;
  float clockPeriod = 1.0f;
  float oscillatorPhase = 0.0f;
  float peakLevel = 0.0f;  // the largest |l| + |r| since the last reset request
  bool cycleIndicator = false;
};

class DelayEngine {
  struct Frame {
    float l = 0.0f, r = 0.0f;
  };

 public:
  // A cleared memory for a sample rate, allocated where allocating is
  // allowed. install() takes it and leaves the memory given up in its place,
  // to be freed with it.
  class RateMemory {
   public:
    explicit RateMemory(int sampleRate);
    ~RateMemory() { delete[] frames; }
    RateMemory(const RateMemory&) = delete;
    RateMemory& operator=(const RateMemory&) = delete;

   private:
    friend class DelayEngine;
    int rate;
    Frame* frames = nullptr;  // null when it could not be had
    int length = 0;
  };

  DelayEngine() = default;
  ~DelayEngine();
  DelayEngine(const DelayEngine&) = delete;
  DelayEngine& operator=(const DelayEngine&) = delete;

  // Sets every rate-dependent constant and allocates the memory for the rate;
  // false when the memory could not be had (the engine then passes audio through).
  bool prepare(int sampleRate);
  // prepare() in two halves: the memory made beforehand, and its rate set
  // here without allocating or freeing, so between two blocks on the audio
  // thread. The signal state starts afresh.
  void install(RateMemory& next);
  // Clears the memory and the signal state; writing then starts at full gain.
  // Positions, envelope level, clock rate and smoothed controls carry over.
  void reset();
  bool ready() const { return memory != nullptr; }
  int sampleRate() const { return rate; }

  // Re-seats the read position the delay length behind the write position.
  void seat(float delayTimeMs);
  void setAntiAliasCutoff(float fc);
  // Jumps the smoothed controls to their targets (switching off).
  void settleControls(const BlockSettings& s);

  BlockResult process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                      const BlockSettings& s);

  // Restarted by infinite repeat engaging and releasing; the controls' tests watch it.
  float crossfadeGain = 1.0f;

  int memoryLength() const { return length; }
  int limiterWindow() const { return limiter.window(); }
  float delaySamples() const { return delayInSteps; }
  int cycleWindow() const { return window; }

 private:
  void setRateConstants(int sampleRate);
  void clearSignal();

  // One sample on its way through a chunk: what the input stage makes of it.
  struct InputFrame {
    dsp::F4 x;               // the direct signal
    dsp::F4 filtered;        // after the anti-alias filter
    dsp::F4 limited;         // entering the memory, when the limiter runs ahead
    const dsp::Controls* c;  // its own, or the settled set of its offset's sign
    dsp::Controls own;
    float lfo;          // the oscillator's weighted output
    float envelopePow;  // when the limiter runs ahead
  };
  static constexpr int kChunk = 64;

  int rate = 0;
  float fRate = 0.0f;
  float c4k = 0.0f;
  float crossfadeGrowth = 1.0f;
  int window = 0;

  dsp::AntiAliasFilter filter;
  dsp::LevelLimiter limiter;
  dsp::ModulationClock clock;
  float peakLevel = 0.0f;
  bool cycleIndicator = false;
  bool loopEngaged = false;    // as the last block left it
  bool memoryCleared = false;  // since the last block

  Frame* memory = nullptr;  // interleaved left/right, length frames
  int length = 0;
  int writePos = 0;
  int readPos = 0;
  float delayInSteps = 0.0f;

  dsp::F4 inputHistory[4] = {};
  dsp::F4 readHistory[4] = {};
  dsp::F4 highCut{};
  dsp::F4 feedbackSignal{};
  float denormalOffset = dsp::kDenormalOffset;

  dsp::ControlGlide glide;
  InputFrame scratch[kChunk] = {};
};
