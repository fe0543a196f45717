#include "delayengine.h"

#include <cmath>
#include <new>

#include "dsp/catmullrom.h"

namespace {

constexpr float kTwoPi30 = 188.49556f;
constexpr float kTwoPi4000 = 25132.742f;
constexpr float kTwoPi10 = 62.831856f;
constexpr float kCrossfadeStart = 0.001f;
constexpr float kFeedbackFloor = 0.00001f;

}  // namespace

DelayEngine::~DelayEngine() { delete[] memory; }

bool DelayEngine::prepare(int sampleRate) {
  rate = sampleRate;
  fRate = static_cast<float>(sampleRate);
  a30 = std::exp(-kTwoPi30 / fRate);
  c4k = std::exp(-kTwoPi4000 / fRate);
  clock.setEnvelopeCoefficient(std::exp(-kTwoPi10 / fRate));
  const int crossfadeLength = sampleRate * 50 / 1000;
  crossfadeGrowth = std::pow(kCrossfadeStart, -1.0f / static_cast<float>(crossfadeLength));
  window = sampleRate / 50;
  limiter.setWindow(dsp::LevelLimiter::windowFor(sampleRate));

  delete[] memory;
  length = 1 + static_cast<int>(3.2f * fRate);
  memory = new (std::nothrow) Frame[static_cast<size_t>(length)];
  if (memory == nullptr) {
    length = 0;
  }
  writePos = 0;
  readPos = 0;
  return memory != nullptr;
}

void DelayEngine::reset() {
  for (int i = 0; i < length; ++i) {
    memory[i] = Frame{};
  }
  limiter.reset();
  for (int i = 0; i < 4; ++i) {
    inputHistory[i] = dsp::F4{};
    readHistory[i] = dsp::F4{};
  }
  filter.reset();
  highCut = dsp::F4{};
  feedbackSignal = dsp::F4{};
  clock.reset();
  peakLevel = 0.0f;
  cycleIndicator = false;
}

void DelayEngine::seat(float delayTimeMs) {
  delayInSteps = fRate * delayTimeMs / 1000.0f;
  if (length == 0) {
    return;
  }
  int behind = static_cast<int>(delayInSteps);
  if (behind >= length) {
    behind = length - 1;
  }
  readPos = writePos - behind;
  if (readPos < 0) {
    readPos += length;
  }
}

void DelayEngine::setAntiAliasCutoff(float fc) {
  filter.setCoefficients(dsp::BiquadCoefficients::lowpass(fc, fRate));
}

void DelayEngine::settleControls(const BlockSettings& s) {
  inputGain = s.inputGainTarget;
  outputGain = s.outputGainTarget;
  mixGain = s.mix;
  feedbackGain = s.feedback;
  depthGain = s.depth;
}

void DelayEngine::process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                          const BlockSettings& settings, BlockResult& result) {
  if (memory == nullptr) {
    // Without a memory there is no effect: the input passes as it came.
    for (int i = 0; i < frames; ++i) {
      const float l = inL[i];
      const float r = inR[i];
      if (outR != nullptr) {
        outL[i] = l;
        outR[i] = r;
      } else {
        outL[i] = 0.5f * l + 0.5f * r;
      }
    }
    return;
  }

  if (settings.restartCrossfade) {
    crossfadeGain = kCrossfadeStart;
  }
  if (frames > 0) {
    if (settings.resetPeak) {
      peakLevel = 0.0f;
    }
    if (settings.acknowledgeIndicator) {
      cycleIndicator = false;
    }
  }

  // The loop works on local copies: the host's output buffers could alias any
  // member as far as the compiler knows, which would keep everything in memory.
  using dsp::F4;
  const BlockSettings s = settings;
  dsp::AntiAliasFilter aa = filter;
  dsp::LevelLimiter lim = limiter;
  dsp::ModulationClock clk = clock;
  F4 ih0 = inputHistory[0], ih1 = inputHistory[1], ih2 = inputHistory[2], ih3 = inputHistory[3];
  F4 rh0 = readHistory[0], rh1 = readHistory[1], rh2 = readHistory[2], rh3 = readHistory[3];
  F4 hc = highCut;
  F4 fb = feedbackSignal;
  Frame* const mem = memory;
  const int len = length;
  int wp = writePos;
  int rp = readPos;
  float xfade = crossfadeGain;
  bool engaged = repeatEngaged;
  float peak = peakLevel;
  bool indicator = cycleIndicator;
  float n = denormalOffset;
  // Input gain, output gain, mix and depth glide together, one per lane.
  F4 smooth{inputGain, outputGain, mixGain, depthGain};
  const F4 targets{s.inputGainTarget, s.outputGainTarget, s.mix, s.depth};
  float fbGain = feedbackGain;
  const float oneMinusA30 = 1.0f - a30;
  const float oneMinusC4k = 1.0f - c4k;
  int cyclePos = s.cyclePosition;
  bool delayChanged = s.delayChanged;

  for (int i = 0; i < frames; ++i) {
    n = -n;
    const float rawL = inL[i];
    const float rawR = inR[i];

    // Input stage; a non-finite host sample is taken as silence.
    const F4 x = smooth[0] * dsp::finiteOrZero(dsp::pair(rawL, rawR)) + n;
    const F4 sig = aa.process(x) + fb;

    const F4 mag = dsp::absolute(sig);
    const F4 g = lim.process(mag);
    const F4 limited = sig * g;
    const float level = mag[0] + mag[1];
    if (level > peak) {
      peak = level;
    }
    const F4 weighted = g * mag;
    clk.followEnvelope(0.5f * (weighted[0] + weighted[1]));

    ih0 = ih1;
    ih1 = ih2;
    ih2 = ih3;
    ih3 = limited;

    smooth = oneMinusA30 * targets + a30 * smooth + n;
    fbGain = oneMinusA30 * s.feedback + a30 * fbGain;
    if (std::fabs(fbGain) < kFeedbackFloor) {
      fbGain = 0.0f;
    }
    const float outGain = smooth[1];
    const float w = dsp::flushed(smooth[2] * outGain);
    const float dryGain = outGain - w;
    const float wetGain = w * s.delaySign;

    const float q = clk.advance(s.clock, smooth[3]);

    if (clk.clockPhase >= 1.0f) {
      const auto write = dsp::CatmullRom::through(ih0, ih1, ih2, ih3);
      float u = 1.0f - q;
      do {
        clk.clockPhase -= 1.0f;
        const float t = clk.dividedByStep(u);
        const F4 fresh = t == 1.0f ? write.atOne() : write.at(t);
        const F4 old = dsp::pair(mem[rp].l, mem[rp].r);
        const float gain = xfade;
        F4 written;
        if (gain == 1.0f) {
          written = engaged ? old : fresh;
        } else {
          const float keep = 1.0f - gain;
          written = engaged ? keep * fresh + gain * old : keep * old + gain * fresh;
          const float grown = gain * crossfadeGrowth;
          xfade = grown < 1.0f ? grown : 1.0f;
        }
        mem[wp] = Frame{written[0], written[1]};
        rh0 = rh1;
        rh1 = rh2;
        rh2 = rh3;
        rh3 = wp == rp ? written : old;  // the read position's value after this step's write
        if (++rp == len) {
          rp = 0;
        }
        if (++wp == len) {
          wp = 0;
        }
        u += 1.0f;
      } while (clk.clockPhase >= 1.0f);
    }

    F4 d;
    if (delayInSteps < 3.0f && !engaged) {
      d = limited;
    } else if (clk.clockPhase == 0.0f) {
      d = rh1;  // the memory steps fell on the sample: no interpolation to do
    } else {
      d = dsp::CatmullRom::through(rh0, rh1, rh2, rh3).at(clk.clockPhase);
    }

    if (delayChanged) {
      delayChanged = false;
      writePos = wp;
      seat(s.delayTimeMs);
      rp = readPos;
    }

    hc = dsp::flushed(s.hiCutOn ? c4k * hc + oneMinusC4k * d : d);
    fb = engaged ? hc : fbGain * hc * s.feedbackSign;

    if (s.powerOn) {
      const F4 y = x * dryGain + d * wetGain;
      if (outR != nullptr) {
        outL[i] = y[0];
        outR[i] = y[1];
      } else {
        outL[i] = 0.5f * y[1] + 0.5f * y[0];
      }
    } else if (outR != nullptr) {
      outL[i] = rawL;
      outR[i] = rawR;
    } else {
      outL[i] = 0.5f * rawL + 0.5f * rawR;
    }

    // Delay cycle: the indicator lights near each boundary, and infinite
    // repeat waiting for the beat engages at one.
    ++cyclePos;
    const bool inWindow = cyclePos < window || cyclePos > s.cycleLength - window;
    if (cyclePos > s.cycleLength) {
      cyclePos = 0;
      if (s.repeatOn && !engaged) {
        engaged = true;
        xfade = kCrossfadeStart;
        result.repeatEngagedAtBoundary = true;
      }
    }
    if (inWindow) {
      indicator = true;
    }
  }
  const int next = cyclePos + 1;
  if (next < window || next > s.cycleLength - window) {
    indicator = true;
  }

  filter = aa;
  limiter = lim;
  clock = clk;
  inputHistory[0] = ih0;
  inputHistory[1] = ih1;
  inputHistory[2] = ih2;
  inputHistory[3] = ih3;
  readHistory[0] = rh0;
  readHistory[1] = rh1;
  readHistory[2] = rh2;
  readHistory[3] = rh3;
  highCut = hc;
  feedbackSignal = fb;
  writePos = wp;
  readPos = rp;
  crossfadeGain = xfade;
  repeatEngaged = engaged;
  peakLevel = peak;
  cycleIndicator = indicator;
  denormalOffset = n;
  inputGain = smooth[0];
  outputGain = smooth[1];
  mixGain = smooth[2];
  feedbackGain = fbGain;
  depthGain = smooth[3];
}
