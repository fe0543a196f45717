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
    inputHistory[i] = Frame{};
    readHistory[i] = Frame{};
  }
  filter.reset();
  highCut = Frame{};
  feedbackSignal = Frame{};
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

void DelayEngine::process(const float* inL, const float* inR, float* outL, float* outR,
                          int frames, const BlockSettings& s, BlockResult& result) {
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

  if (s.restartCrossfade) {
    crossfadeGain = kCrossfadeStart;
  }
  if (frames > 0) {
    if (s.resetPeak) {
      peakLevel = 0.0f;
    }
    if (s.acknowledgeIndicator) {
      cycleIndicator = false;
    }
  }

  const float oneMinusA30 = 1.0f - a30;
  const float oneMinusC4k = 1.0f - c4k;
  int cyclePos = s.cyclePosition;
  bool delayChanged = s.delayChanged;

  for (int i = 0; i < frames; ++i) {
    denormalOffset = -denormalOffset;
    const float n = denormalOffset;
    const float rawL = inL[i];
    const float rawR = inR[i];

    // Input stage; a non-finite host sample is taken as silence.
    const float cleanL = dsp::isFiniteSample(rawL) ? rawL : 0.0f;
    const float cleanR = dsp::isFiniteSample(rawR) ? rawR : 0.0f;
    const float xL = inputGain * cleanL + n;
    const float xR = inputGain * cleanR + n;
    float fL = xL;
    float fR = xR;
    filter.process(fL, fR);
    const float sL = fL + feedbackSignal.l;
    const float sR = fR + feedbackSignal.r;

    float gL;
    float gR;
    limiter.process(sL, sR, gL, gR);
    const float lL = sL * gL;
    const float lR = sR * gR;
    const float magL = std::fabs(sL);
    const float magR = std::fabs(sR);
    const float level = magL + magR;
    if (level > peakLevel) {
      peakLevel = level;
    }
    clock.followEnvelope(0.5f * (gL * magL + gR * magR));

    inputHistory[0] = inputHistory[1];
    inputHistory[1] = inputHistory[2];
    inputHistory[2] = inputHistory[3];
    inputHistory[3] = Frame{lL, lR};

    inputGain = oneMinusA30 * s.inputGainTarget + a30 * inputGain + n;
    outputGain = oneMinusA30 * s.outputGainTarget + a30 * outputGain + n;
    mixGain = oneMinusA30 * s.mix + a30 * mixGain + n;
    depthGain = oneMinusA30 * s.depth + a30 * depthGain + n;
    feedbackGain = oneMinusA30 * s.feedback + a30 * feedbackGain;
    if (std::fabs(feedbackGain) < kFeedbackFloor) {
      feedbackGain = 0.0f;
    }
    const float w = dsp::flushed(mixGain * outputGain);
    const float dryGain = outputGain - w;
    const float wetGain = w * s.delaySign;

    const float q = clock.advance(s.clock, depthGain);

    if (clock.clockPhase >= 1.0f) {
      const auto writeL = dsp::CatmullRom::through(inputHistory[0].l, inputHistory[1].l,
                                                   inputHistory[2].l, inputHistory[3].l);
      const auto writeR = dsp::CatmullRom::through(inputHistory[0].r, inputHistory[1].r,
                                                   inputHistory[2].r, inputHistory[3].r);
      float u = 1.0f - q;
      do {
        clock.clockPhase -= 1.0f;
        const float t = u / clock.clockStep;
        const float newL = writeL.at(t);
        const float newR = writeR.at(t);
        const Frame old = memory[readPos];
        const float g = crossfadeGain;
        if (g == 1.0f) {
          memory[writePos] = repeatEngaged ? old : Frame{newL, newR};
        } else {
          const float keep = 1.0f - g;
          memory[writePos] = repeatEngaged ? Frame{keep * newL + g * old.l, keep * newR + g * old.r}
                                           : Frame{keep * old.l + g * newL, keep * old.r + g * newR};
          crossfadeGain = std::fmin(g * crossfadeGrowth, 1.0f);
        }
        readHistory[0] = readHistory[1];
        readHistory[1] = readHistory[2];
        readHistory[2] = readHistory[3];
        readHistory[3] = memory[readPos];
        if (++readPos == length) {
          readPos = 0;
        }
        if (++writePos == length) {
          writePos = 0;
        }
        u += 1.0f;
      } while (clock.clockPhase >= 1.0f);
    }

    float dL;
    float dR;
    if (delayInSteps < 3.0f && !repeatEngaged) {
      dL = lL;
      dR = lR;
    } else {
      const float t = clock.clockPhase;
      dL = dsp::CatmullRom::through(readHistory[0].l, readHistory[1].l, readHistory[2].l,
                                    readHistory[3].l)
               .at(t);
      dR = dsp::CatmullRom::through(readHistory[0].r, readHistory[1].r, readHistory[2].r,
                                    readHistory[3].r)
               .at(t);
    }

    if (delayChanged) {
      delayChanged = false;
      seat(s.delayTimeMs);
    }

    if (s.hiCutOn) {
      highCut.l = dsp::flushed(c4k * highCut.l + oneMinusC4k * dL);
      highCut.r = dsp::flushed(c4k * highCut.r + oneMinusC4k * dR);
    } else {
      highCut.l = dsp::flushed(dL);
      highCut.r = dsp::flushed(dR);
    }
    if (repeatEngaged) {
      feedbackSignal = highCut;
    } else {
      feedbackSignal.l = feedbackGain * highCut.l * s.feedbackSign;
      feedbackSignal.r = feedbackGain * highCut.r * s.feedbackSign;
    }

    if (s.powerOn) {
      const float yL = xL * dryGain + dL * wetGain;
      const float yR = xR * dryGain + dR * wetGain;
      if (outR != nullptr) {
        outL[i] = yL;
        outR[i] = yR;
      } else {
        outL[i] = 0.5f * yR + 0.5f * yL;
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
      if (s.repeatOn && !repeatEngaged) {
        repeatEngaged = true;
        crossfadeGain = kCrossfadeStart;
        result.repeatEngagedAtBoundary = true;
      }
    }
    if (inWindow) {
      cycleIndicator = true;
    }
  }
  const int next = cyclePos + 1;
  if (next < window || next > s.cycleLength - window) {
    cycleIndicator = true;
  }
}
