#include "delayengine.h"

#include <cmath>
#include <new>
#include <type_traits>
#include <utility>

#include "dsp/catmullrom.h"

// The loop's parts are lambdas over its local state; called from two loops,
// they would otherwise become calls that keep that state in memory.
#define ONDEX_INLINE __attribute__((always_inline))

namespace {

constexpr float kTwoPi30 = 188.49556f;
constexpr float kTwoPi4000 = 25132.742f;
constexpr float kTwoPi10 = 62.831856f;
constexpr float kCrossfadeStart = 0.001f;

dsp::GlideTargets glideTargets(const BlockSettings& s) {
  return {s.inputGainTarget, s.outputGainTarget, s.mix, s.depth, s.feedback, s.delaySign};
}

}  // namespace

DelayEngine::RateMemory::RateMemory(int sampleRate) : rate(sampleRate) {
  length = 1 + static_cast<int>(3.2f * static_cast<float>(sampleRate));
  // Frame's initializers clear it.
  frames = new (std::nothrow) Frame[static_cast<size_t>(length)];
  if (frames == nullptr) {
    length = 0;
  }
}

DelayEngine::~DelayEngine() { delete[] memory; }

bool DelayEngine::prepare(int sampleRate) {
  RateMemory next(sampleRate);
  install(next);
  return ready();
}

void DelayEngine::install(RateMemory& next) {
  const int previous = rate;
  setRateConstants(next.rate);
  next.rate = previous;
  std::swap(memory, next.frames);
  std::swap(length, next.length);
  writePos = 0;
  readPos = 0;
  clearSignal();
  crossfadeGain = 1.0f;  // a memory just cleared: nothing to fade from
  memoryCleared = true;
}

void DelayEngine::setRateConstants(int sampleRate) {
  rate = sampleRate;
  fRate = static_cast<float>(sampleRate);
  glide.setCoefficient(std::exp(-kTwoPi30 / fRate));
  c4k = std::exp(-kTwoPi4000 / fRate);
  clock.setEnvelopeCoefficient(std::exp(-kTwoPi10 / fRate));
  const int crossfadeLength = sampleRate * 50 / 1000;
  crossfadeGrowth = std::pow(kCrossfadeStart, -1.0f / static_cast<float>(crossfadeLength));
  window = sampleRate / 50;
  limiter.setWindow(dsp::LevelLimiter::windowFor(sampleRate));
}

void DelayEngine::reset() {
  for (int i = 0; i < length; ++i) {
    memory[i] = Frame{};
  }
  clearSignal();
  // The crossfade blends the memory's old content into the new; with the
  // memory cleared there is none, and fading from silence would write the
  // first 50 ms of the input almost silent.
  crossfadeGain = 1.0f;
  memoryCleared = true;
}

void DelayEngine::clearSignal() {
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

void DelayEngine::settleControls(const BlockSettings& s) { glide.jumpTo(glideTargets(s)); }

BlockResult DelayEngine::process(const float* inL, const float* inR, float* outL, float* outR,
                                 int frames, const BlockSettings& settings) {
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
    return {false, clock.clockPeriod, clock.lfoPhase, peakLevel, cycleIndicator};
  }

  // The loop engaging or releasing crossfades between it and the input. A
  // switch set again to the state it has changes nothing, and a memory just
  // cleared has nothing to fade from.
  if (settings.repeatEngaged != loopEngaged && !memoryCleared) {
    crossfadeGain = kCrossfadeStart;
  }
  memoryCleared = false;
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
  dsp::ControlGlide gl = glide;
  gl.begin(glideTargets(s), denormalOffset);
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
  bool engaged = s.repeatEngaged;
  bool engagedAtBoundary = false;
  float peak = peakLevel;
  bool indicator = cycleIndicator;
  float n = denormalOffset;
  const float oneMinusC4k = 1.0f - c4k;
  bool bypassed = delayInSteps < 3.0f;
  int cyclePos = s.cyclePosition;
  bool delayChanged = s.delayChanged;
  // The read curve changes only with the read history, at memory steps.
  dsp::CatmullRom readCurve{};
  bool readCurveStale = true;

  for (int done = 0; done < frames; done += kChunk) {
    const int count = frames - done < kChunk ? frames - done : kChunk;
    const float* const chunkL = inL + done;
    const float* const chunkR = inR + done;
    float* const chunkOutL = outL + done;
    float* const chunkOutR = outR == nullptr ? nullptr : outR + done;

    // Input stage: nothing here depends on the delay's output, so the whole
    // chunk runs first, in a short loop of its own.
    bool swept = false;
    // Feedback now, or from a repeat that may engage within the chunk.
    bool fedBack = engaged || s.repeatOn || !dsp::isZero(fb);
    auto input = [&](int i, InputFrame& f) ONDEX_INLINE {
      // A non-finite host sample is taken as silence.
      f.x = f.c->inputGain * dsp::finiteOrZero(dsp::pair(chunkL[i], chunkR[i])) + n;
      if (i == 0) {
        aa.lead(f.x);
      } else {
        scratch[i - 1].filtered = aa.push(f.x);
      }
      f.lfo = clk.oscillate(s.clock, f.c->depth);
    };
    if (gl.isSettled()) {
      // Arrived controls alternate with the offset's sign.
      const dsp::Controls& negative = gl.settledFor(-1.0f);
      const dsp::Controls& positive = gl.settledFor(1.0f);
      swept = dsp::ModulationClock::sweeps(negative.depth) ||
              dsp::ModulationClock::sweeps(positive.depth);
      fedBack = fedBack || negative.feedback != 0.0f || positive.feedback != 0.0f;
      for (int i = 0; i < count; ++i) {
        InputFrame& f = scratch[i];
        n = -n;
        f.c = n > 0.0f ? &positive : &negative;
        input(i, f);
      }
    } else {
      for (int i = 0; i < count; ++i) {
        InputFrame& f = scratch[i];
        n = -n;
        f.own = gl.next(n);
        f.c = &f.own;
        input(i, f);
        swept = swept || dsp::ModulationClock::sweeps(f.c->depth);
        fedBack = fedBack || f.c->feedback != 0.0f;
      }
    }
    scratch[count - 1].filtered = aa.trail();
    const bool unitClock = !swept && clk.atUnitRest(s.clock);

    // The loop through the delay memory and the feedback. Its first half,
    // from the feedback's sum to the envelope, is the front; the rest, from
    // the clock to the next feedback, the back.
    auto front = [&](const InputFrame& f) ONDEX_INLINE {
      const F4 sig = f.filtered + fb;
      const F4 mag = dsp::absolute(sig);
      const F4 g = lim.process(mag);
      const float level = mag[0] + mag[1];
      if (level > peak) {
        peak = level;
      }
      const F4 weighted = g * mag;
      clk.followEnvelope(0.5f * (weighted[0] + weighted[1]));
      return sig * g;
    };
    // With steady set (a std::bool_constant), the pass is compiled for the
    // common case, in which the checks below for repeat, crossfade, clock mode,
    // bypass, delay change, power and mono output all come out the same.
    auto back = [&](auto steady, int i, F4 limited, float envelopePow) ONDEX_INLINE {
      const InputFrame& f = scratch[i];
      constexpr bool kSteady = decltype(steady)::value;
      ih0 = ih1;
      ih1 = ih2;
      ih2 = ih3;
      ih3 = limited;

      // One memory step: the new value written with the repeat crossfade, the
      // value at the read position passed into the read history.
      auto step = [&](F4 fresh) ONDEX_INLINE {
        const F4 old = dsp::loadPair(&mem[rp].l);
        const float gain = xfade;
        F4 written;
        if (kSteady) {
          written = fresh;
        } else if (gain == 1.0f) {
          written = engaged ? old : fresh;
        } else {
          const float keep = 1.0f - gain;
          written = engaged ? keep * fresh + gain * old : keep * old + gain * fresh;
          const float grown = gain * crossfadeGrowth;
          xfade = grown < 1.0f ? grown : 1.0f;
        }
        mem[wp] = Frame{written[0], written[1]};
        readCurveStale = true;
        rh0 = rh1;
        rh1 = rh2;
        rh2 = rh3;
        // The read position's value after this step's write.
        rh3 = !kSteady && wp == rp ? written : old;
        if (++rp == len) {
          rp = 0;
        }
        if (++wp == len) {
          wp = 0;
        }
      };

      F4 d;
      if (kSteady || unitClock) {
        // One step at t = 1, where the curve passes through x[n-1], and the
        // read falls on the sample.
        step(ih2);
        d = rh1;
      } else {
        const float q = clk.advanceClock(s.clock, {f.c->depth, f.lfo, envelopePow});
        if (clk.clockPhase >= 1.0f) {
          dsp::CatmullRom write{};
          bool curve = false;
          float u = 1.0f - q;
          do {
            clk.clockPhase -= 1.0f;
            const float t = clk.stepTime(u);
            if (t == 1.0f) {
              step(ih2);
            } else {
              if (!curve) {
                write = dsp::CatmullRom::through(ih0, ih1, ih2, ih3);
                curve = true;
              }
              step(write.at(t));
            }
            u += 1.0f;
          } while (clk.clockPhase >= 1.0f);
        }
        if (clk.clockPhase == 0.0f) {
          d = rh1;  // the memory steps fell on the sample: no interpolation to do
        } else {
          if (readCurveStale) {
            readCurve = dsp::CatmullRom::through(rh0, rh1, rh2, rh3);
            readCurveStale = false;
          }
          d = readCurve.at(clk.clockPhase);
        }
      }
      if (!kSteady && bypassed && !engaged) {
        d = limited;
      }

      if (!kSteady && delayChanged) {
        delayChanged = false;
        writePos = wp;
        seat(s.delayTimeMs);
        rp = readPos;
        bypassed = delayInSteps < 3.0f;
      }

      hc = dsp::flushed(s.hiCutOn ? c4k * hc + oneMinusC4k * d : d);
      if (!kSteady && engaged) {
        fb = hc;
      } else if (f.c->feedback != 0.0f) {
        fb = f.c->feedback * hc * s.feedbackSign;
      } else {
        fb = F4{};  // the same sum ahead, without waiting for the read
      }

      // Output: direct and delayed signal, or the raw input with Power off; the
      // mono sum on the left output when the host has no right one.
      if (kSteady || s.powerOn) {
        const F4 y = f.x * f.c->dryGain + d * f.c->wetGain;
        if (kSteady || chunkOutR != nullptr) {
          chunkOutL[i] = y[0];
          chunkOutR[i] = y[1];
        } else {
          chunkOutL[i] = 0.5f * y[1] + 0.5f * y[0];
        }
      } else if (chunkOutR != nullptr) {
        chunkOutL[i] = chunkL[i];
        chunkOutR[i] = chunkR[i];
      } else {
        chunkOutL[i] = 0.5f * chunkL[i] + 0.5f * chunkR[i];
      }

      // Infinite repeat waiting for the beat engages at a cycle boundary.
      if (++cyclePos > s.cycleLength) {
        cyclePos = 0;
        if (!kSteady && s.repeatOn && !engaged) {
          engaged = true;
          xfade = kCrossfadeStart;
          engagedAtBoundary = true;
        }
      }
    };

    // The indicator lights near each cycle boundary: the chunk passes the
    // positions from one past the current one up to the boundary, past which
    // it starts at 1, inside the window.
    if (cyclePos + 1 < window || cyclePos + count > s.cycleLength - window) {
      indicator = true;
    }

    auto run = [&](auto steady) ONDEX_INLINE {
      if (fedBack) {
        for (int i = 0; i < count; ++i) {
          InputFrame& f = scratch[i];
          const F4 limited = front(f);
          back(steady, i, limited, clk.envelopeShare(s.clock, f.c->depth));
        }
      } else {
        // Without feedback the front does not wait for the back: the whole
        // chunk's envelope, and its power, is ready before the clock needs it.
        for (int i = 0; i < count; ++i) {
          InputFrame& f = scratch[i];
          f.limited = front(f);
          f.envelopePow = swept ? clk.envelopeShare(s.clock, f.c->depth) : 0.0f;
        }
        for (int i = 0; i < count; ++i) {
          back(steady, i, scratch[i].limited, scratch[i].envelopePow);
        }
      }
    };
    if (unitClock && xfade == 1.0f && !engaged && !s.repeatOn && !bypassed && !delayChanged &&
        s.powerOn && outR != nullptr) {
      run(std::true_type{});
    } else {
      run(std::false_type{});
    }
  }
  const int next = cyclePos + 1;
  if (next < window || next > s.cycleLength - window) {
    indicator = true;
  }

  glide = gl;
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
  loopEngaged = engaged;
  peakLevel = peak;
  cycleIndicator = indicator;
  denormalOffset = n;
  return {engagedAtBoundary, clk.clockPeriod, clk.lfoPhase, peak, indicator};
}
