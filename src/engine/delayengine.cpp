#include "delayengine.h"

#include <cmath>
#include <new>

#include "dsp/catmullrom.h"

// The stages run over the block's local state; called from two loops, they
// would otherwise become calls that keep that state in memory.
#define ONDEX_INLINE __attribute__((always_inline))

namespace {

constexpr float kTwoPi30 = 188.49556f;
constexpr float kTwoPi4000 = 25132.742f;
constexpr float kTwoPi10 = 62.831856f;
constexpr float kCrossfadeStart = 0.001f;

dsp::GlideTargets glideTargets(const BlockSettings& s) {
  return {s.inputGainTarget, s.outputGainTarget, s.mix, s.depth, s.feedback, s.delaySign};
}

// The delay in memory steps, and the read position its whole steps behind the
// write position.
void seatReadPosition(SignalState& st, float fRate, int length, float delayTimeMs) {
  st.delayInSteps = fRate * delayTimeMs / 1000.0f;
  if (length == 0) {
    return;
  }
  int behind = static_cast<int>(st.delayInSteps);
  if (behind >= length) {
    behind = length - 1;
  }
  st.readPos = st.writePos - behind;
  if (st.readPos < 0) {
    st.readPos += length;
  }
}

// Without a memory there is no effect: the input passes as it came.
void passInput(const float* inL, const float* inR, float* outL, float* outR, int frames) {
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
}

BlockResult resultOf(const SignalState& st, bool engagedAtBoundary) {
  return {engagedAtBoundary, st.clock.clockPeriod, st.clock.lfoPhase, st.peakLevel,
          st.cycleIndicator};
}

}  // namespace

struct DelayEngine::Block {
  SignalState& st;
  const BlockSettings& s;
  Frame* const memory;
  const int length;
  const int window;
  const float fRate;
  const float c4k;
  const float oneMinusC4k;
  const float crossfadeGrowth;
  InputFrame* const scratch;
  dsp::Controls* const settled;
  bool engaged;
  bool engagedAtBoundary = false;
  bool bypassed;
  bool delayChanged;
  int cyclePos;
  // The read curve changes only with the read history, at memory steps.
  dsp::CatmullRom readCurve{};
  bool readCurveStale = true;

  // The chunk in hand.
  const float* inL = nullptr;
  const float* inR = nullptr;
  float* outL = nullptr;
  float* outR = nullptr;
  int count = 0;
  bool swept = false;  // the clock's sweep in use by some sample
  bool fedBack = false;
  bool unitClock = false;  // one memory step per sample, on the sample

  Block(DelayEngine& e, SignalState& state, const BlockSettings& settings)
      : st(state),
        s(settings),
        memory(e.memory),
        length(e.length),
        window(e.window),
        fRate(e.fRate),
        c4k(e.c4k),
        oneMinusC4k(1.0f - e.c4k),
        crossfadeGrowth(e.crossfadeGrowth),
        scratch(e.scratch),
        settled(e.settled),
        engaged(settings.repeatEngaged),
        bypassed(e.delayInSteps < 3.0f),
        delayChanged(settings.delayChanged),
        cyclePos(settings.cyclePosition) {}

  void takeRequests(int frames) {
    if (s.restartCrossfade) {
      st.crossfadeGain = kCrossfadeStart;
    }
    if (frames > 0) {
      if (s.resetPeak) {
        st.peakLevel = 0.0f;
      }
      if (s.acknowledgeIndicator) {
        st.cycleIndicator = false;
      }
    }
    st.glide.begin(glideTargets(s), st.denormalOffset);
  }

  void takeChunk(const float* l, const float* r, float* oL, float* oR, int frames) {
    inL = l;
    inR = r;
    outL = oL;
    outR = oR;
    count = frames;
  }

  // One sample's input gain (a non-finite host sample is taken as silence),
  // anti-alias filter and oscillator.
  ONDEX_INLINE void takeInput(int i, InputFrame& f) {
    f.x = f.c->inputGain * dsp::finiteOrZero(dsp::pair(inL[i], inR[i])) + st.denormalOffset;
    if (i == 0) {
      st.filter.lead(f.x);
    } else {
      scratch[i - 1].filtered = st.filter.push(f.x);
    }
    f.lfo = st.clock.oscillate(s.clock, f.c->depth);
  }

  // Input stage: nothing here depends on the delay's output, so the whole
  // chunk runs first, in a short loop of its own.
  ONDEX_INLINE void runInputStage() {
    swept = false;
    // Feedback now, or from a repeat that may engage within the chunk.
    fedBack = engaged || s.repeatOn || !dsp::isZero(st.feedback);
    if (st.glide.isSettled()) {
      // Arrived controls alternate with the offset's sign.
      settled[0] = st.glide.settledFor(-1.0f);
      settled[1] = st.glide.settledFor(1.0f);
      swept = dsp::ModulationClock::sweeps(settled[0].depth) ||
              dsp::ModulationClock::sweeps(settled[1].depth);
      fedBack = fedBack || settled[0].feedback != 0.0f || settled[1].feedback != 0.0f;
      for (int i = 0; i < count; ++i) {
        InputFrame& f = scratch[i];
        st.denormalOffset = -st.denormalOffset;
        f.c = &settled[st.denormalOffset > 0.0f ? 1 : 0];
        takeInput(i, f);
      }
    } else {
      for (int i = 0; i < count; ++i) {
        InputFrame& f = scratch[i];
        st.denormalOffset = -st.denormalOffset;
        f.own = st.glide.next(st.denormalOffset);
        f.c = &f.own;
        takeInput(i, f);
        swept = swept || dsp::ModulationClock::sweeps(f.c->depth);
        fedBack = fedBack || f.c->feedback != 0.0f;
      }
    }
    scratch[count - 1].filtered = st.filter.trail();
    unitClock = !swept && st.clock.atUnitRest(s.clock);
  }

  // The loop through the delay memory and the feedback. Its first half, from
  // the feedback's sum to the envelope, is the front; the rest, from the clock
  // to the next feedback, the back.

  // Front: the sum with the feedback, limited; it feeds the peak and the envelope.
  ONDEX_INLINE dsp::F4 limitSum(const InputFrame& f) {
    const dsp::F4 sig = f.filtered + st.feedback;
    const dsp::F4 mag = dsp::absolute(sig);
    const dsp::F4 g = st.limiter.process(mag);
    const float level = mag[0] + mag[1];
    if (level > st.peakLevel) {
      st.peakLevel = level;
    }
    const dsp::F4 weighted = g * mag;
    st.clock.followEnvelope(0.5f * (weighted[0] + weighted[1]));
    return sig * g;
  }

  ONDEX_INLINE void pushInputHistory(dsp::F4 limited) {
    dsp::F4* h = st.inputHistory;
    h[0] = h[1];
    h[1] = h[2];
    h[2] = h[3];
    h[3] = limited;
  }

  // One memory step: the new value written with the repeat crossfade, the
  // value at the read position passed into the read history.
  template <bool kSteady>
  ONDEX_INLINE void stepMemory(dsp::F4 fresh) {
    const dsp::F4 old = dsp::loadPair(&memory[st.readPos].l);
    const float gain = st.crossfadeGain;
    dsp::F4 written;
    if (kSteady) {
      written = fresh;
    } else if (gain == 1.0f) {
      written = engaged ? old : fresh;
    } else {
      const float keep = 1.0f - gain;
      written = engaged ? keep * fresh + gain * old : keep * old + gain * fresh;
      const float grown = gain * crossfadeGrowth;
      st.crossfadeGain = grown < 1.0f ? grown : 1.0f;
    }
    memory[st.writePos] = Frame{written[0], written[1]};
    readCurveStale = true;
    dsp::F4* h = st.readHistory;
    h[0] = h[1];
    h[1] = h[2];
    h[2] = h[3];
    // The read position's value after this step's write.
    h[3] = !kSteady && st.writePos == st.readPos ? written : old;
    if (++st.readPos == length) {
      st.readPos = 0;
    }
    if (++st.writePos == length) {
      st.writePos = 0;
    }
  }

  // The memory steps that fall in this sample, at their times t on the write
  // curve through the input history; q is the clock's entry phase.
  ONDEX_INLINE void stepAtClock(float q) {
    dsp::ModulationClock& clk = st.clock;
    const dsp::F4* h = st.inputHistory;
    dsp::CatmullRom write;  // built at the first step that needs it
    bool curve = false;
    float u = 1.0f - q;
    do {
      clk.clockPhase -= 1.0f;
      const float t = clk.stepTime(u);
      if (t == 1.0f) {
        stepMemory<false>(h[2]);
      } else {
        if (!curve) {
          write = dsp::CatmullRom::through(h[0], h[1], h[2], h[3]);
          curve = true;
        }
        stepMemory<false>(write.at(t));
      }
      u += 1.0f;
    } while (clk.clockPhase >= 1.0f);
  }

  // The read at the clock's phase, on the curve through the read history.
  ONDEX_INLINE dsp::F4 readAtClock() {
    const dsp::F4* h = st.readHistory;
    if (st.clock.clockPhase == 0.0f) {
      return h[1];  // the memory steps fell on the sample: no interpolation to do
    }
    if (readCurveStale) {
      readCurve = dsp::CatmullRom::through(h[0], h[1], h[2], h[3]);
      readCurveStale = false;
    }
    return readCurve.at(st.clock.clockPhase);
  }

  // Clock, memory steps and read: the delayed signal of this sample.
  template <bool kSteady>
  ONDEX_INLINE dsp::F4 delayed(const InputFrame& f, dsp::F4 limited, float envelopePow) {
    dsp::F4 d;
    if (kSteady || unitClock) {
      // One step at t = 1, where the curve passes through x[n-1], and the read
      // falls on the sample.
      stepMemory<kSteady>(st.inputHistory[2]);
      d = st.readHistory[1];
    } else {
      const float q = st.clock.advanceClock(s.clock, {f.c->depth, f.lfo, envelopePow});
      if (st.clock.clockPhase >= 1.0f) {
        stepAtClock(q);
      }
      d = readAtClock();
    }
    if (!kSteady && bypassed && !engaged) {
      d = limited;
    }
    return d;
  }

  // A new delay time jumps the read position, without a crossfade.
  template <bool kSteady>
  ONDEX_INLINE void reseatOnDelayChange() {
    if (!kSteady && delayChanged) {
      delayChanged = false;
      seatReadPosition(st, fRate, length, s.delayTimeMs);
      bypassed = st.delayInSteps < 3.0f;
    }
  }

  // The high cut shapes only the repeats; a looping memory feeds back whole.
  template <bool kSteady>
  ONDEX_INLINE void highCutAndFeedback(const InputFrame& f, dsp::F4 d) {
    st.highCut = dsp::flushed(s.hiCutOn ? c4k * st.highCut + oneMinusC4k * d : d);
    if (!kSteady && engaged) {
      st.feedback = st.highCut;
    } else if (f.c->feedback != 0.0f) {
      st.feedback = f.c->feedback * st.highCut * s.feedbackSign;
    } else {
      st.feedback = dsp::F4{};  // the same sum ahead, without waiting for the read
    }
  }

  // Direct and delayed signal, or the raw input with Power off; the mono sum
  // on the left output when the host has no right one.
  template <bool kSteady>
  ONDEX_INLINE void writeOutput(int i, const InputFrame& f, dsp::F4 d) {
    if (kSteady || s.powerOn) {
      const dsp::F4 y = f.x * f.c->dryGain + d * f.c->wetGain;
      if (kSteady || outR != nullptr) {
        outL[i] = y[0];
        outR[i] = y[1];
      } else {
        outL[i] = 0.5f * y[1] + 0.5f * y[0];
      }
    } else if (outR != nullptr) {
      outL[i] = inL[i];
      outR[i] = inR[i];
    } else {
      outL[i] = 0.5f * inL[i] + 0.5f * inR[i];
    }
  }

  // Infinite repeat waiting for the beat engages at a cycle boundary.
  template <bool kSteady>
  ONDEX_INLINE void countCycle() {
    if (++cyclePos > s.cycleLength) {
      cyclePos = 0;
      if (!kSteady && s.repeatOn && !engaged) {
        engaged = true;
        st.crossfadeGain = kCrossfadeStart;
        engagedAtBoundary = true;
      }
    }
  }

  // The back of the loop for sample i, from the limited sum to the output.
  // With kSteady the pass is compiled for the common case, in which the checks
  // for repeat, crossfade, clock mode, bypass, delay change, power and mono
  // output all come out the same.
  template <bool kSteady>
  ONDEX_INLINE void throughMemory(int i, dsp::F4 limited, float envelopePow) {
    const InputFrame& f = scratch[i];
    pushInputHistory(limited);
    const dsp::F4 d = delayed<kSteady>(f, limited, envelopePow);
    reseatOnDelayChange<kSteady>();
    highCutAndFeedback<kSteady>(f, d);
    writeOutput<kSteady>(i, f, d);
    countCycle<kSteady>();
  }

  template <bool kSteady>
  ONDEX_INLINE void runLoop() {
    if (fedBack) {
      for (int i = 0; i < count; ++i) {
        const InputFrame& f = scratch[i];
        const dsp::F4 limited = limitSum(f);
        throughMemory<kSteady>(i, limited, st.clock.envelopeShare(s.clock, f.c->depth));
      }
    } else {
      // Without feedback the front does not wait for the back: the whole
      // chunk's envelope, and its power, is ready before the clock needs it.
      for (int i = 0; i < count; ++i) {
        InputFrame& f = scratch[i];
        f.limited = limitSum(f);
        f.envelopePow = swept ? st.clock.envelopeShare(s.clock, f.c->depth) : 0.0f;
      }
      for (int i = 0; i < count; ++i) {
        throughMemory<kSteady>(i, scratch[i].limited, scratch[i].envelopePow);
      }
    }
  }

  // Clock at rest, no crossfade or repeat, power on, stereo.
  bool steady(bool stereo) const {
    return unitClock && st.crossfadeGain == 1.0f && !engaged && !s.repeatOn && !bypassed &&
           !delayChanged && s.powerOn && stereo;
  }

  // The indicator lights near each cycle boundary: the chunk passes the
  // positions from one past the current one up to the boundary, past which
  // it starts at 1, inside the window.
  void lightIndicatorForChunk() {
    if (cyclePos + 1 < window || cyclePos + count > s.cycleLength - window) {
      st.cycleIndicator = true;
    }
  }
  // After the last sample: lit also when the next position is in the window.
  void lightIndicatorAhead() {
    const int next = cyclePos + 1;
    if (next < window || next > s.cycleLength - window) {
      st.cycleIndicator = true;
    }
  }
};

DelayEngine::~DelayEngine() { delete[] memory; }

bool DelayEngine::prepare(int sampleRate) {
  fRate = static_cast<float>(sampleRate);
  glide.setCoefficient(std::exp(-kTwoPi30 / fRate));
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
  feedback = dsp::F4{};
  clock.reset();
  peakLevel = 0.0f;
  cycleIndicator = false;
}

void DelayEngine::seat(float delayTimeMs) { seatReadPosition(*this, fRate, length, delayTimeMs); }

void DelayEngine::setAntiAliasCutoff(float fc) {
  filter.setCoefficients(dsp::BiquadCoefficients::lowpass(fc, fRate));
}

void DelayEngine::settleControls(const BlockSettings& s) { glide.jumpTo(glideTargets(s)); }

BlockResult DelayEngine::process(const float* inL, const float* inR, float* outL, float* outR,
                                 int frames, const BlockSettings& settings) {
  if (memory == nullptr) {
    passInput(inL, inR, outL, outR, frames);
    return resultOf(*this, false);
  }

  // The host's output buffers could alias any member of the engine as far as
  // the compiler knows, which would keep the loop's state in memory; local
  // copies it can keep in registers.
  const BlockSettings s = settings;
  SignalState st = *this;
  Block b(*this, st, s);
  b.takeRequests(frames);
  for (int done = 0; done < frames; done += kChunk) {
    b.takeChunk(inL + done, inR + done, outL + done, outR == nullptr ? nullptr : outR + done,
                frames - done < kChunk ? frames - done : kChunk);
    b.runInputStage();
    b.lightIndicatorForChunk();
    if (b.steady(outR != nullptr)) {
      b.runLoop<true>();
    } else {
      b.runLoop<false>();
    }
  }
  b.lightIndicatorAhead();

  static_cast<SignalState&>(*this) = st;
  return resultOf(st, b.engagedAtBoundary);
}
