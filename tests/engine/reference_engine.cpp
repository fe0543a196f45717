#include "reference_engine.h"

#include <cmath>

#include "engine/dsp/antialiasfilter.h"
#include "engine/dsp/oscillatormath.h"

namespace {

float flush(float x) { return (x + 1e-18f) - 1e-18f; }

float catmullRom(const float* p, float t) {
  const float t2 = t * t;
  const float t3 = t2 * t;
  return 0.5f *
         (2.0f * p[1] + (p[2] - p[0]) * t + (2.0f * p[0] - 5.0f * p[1] + 4.0f * p[2] - p[3]) * t2 +
          (3.0f * p[1] - p[0] - 3.0f * p[2] + p[3]) * t3);
}

struct Biquad {
  float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  float run(const dsp::BiquadCoefficients& k, float x) {
    const float y = flush(k.b0 * x + k.b1 * x1 + k.b2 * x2 - k.a1 * y1 - k.a2 * y2);
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
};

}  // namespace

void referenceRender(const ReferenceSettings& s, const std::vector<float>& inL,
                     const std::vector<float>& inR, std::vector<float>& outL,
                     std::vector<float>& outR) {
  const int rate = 44100;
  const float sr = 44100.0f;
  const float a30 = std::exp(-188.49556f / sr);
  const float c4k = std::exp(-25132.742f / sr);
  const float c10 = std::exp(-62.831856f / sr);
  const int crossfadeLength = rate * 50 / 1000;  // whole samples
  const float growth = std::pow(0.001f, -1.0f / static_cast<float>(crossfadeLength));
  const int N = 4;
  const auto k = dsp::BiquadCoefficients::lowpass(s.doubled ? 6000.0f : 14000.0f, sr);

  // Controls as the parameters set them.
  const float inTarget = 4.0f * s.input * s.input;
  const float outTarget = 4.0f * s.output * s.output;
  const float doubling = s.doubled ? 2.0f : 1.0f;
  const float delaySign = s.delayInverted ? -1.0f : 1.0f;
  const float feedbackSign = s.feedbackInverted ? -1.0f : 1.0f;
  const float manual = 1.0f + (1.0f - s.depth) * (s.manVco - 0.5f);
  const float lfoAmount = std::fabs(s.waveform - 0.5f);
  const float envAmount = 1.0f - 2.0f * lfoAmount;
  const bool square = s.waveform >= 0.5f;
  const float hz = 0.1f * std::pow(100.0f, s.rate);
  const float increment = 6.2831855f / (sr / hz);
  const float delayMs = 3200.0f * (s.dlyTime > 1.0f ? 1.0f : s.dlyTime);

  // State of a freshly switched-on instance: smoothed controls on their
  // targets, the memory cleared and so written at full gain, the read
  // position seated.
  const int L = 1 + static_cast<int>(3.2f * sr);
  std::vector<float> memL(L, 0.0f), memR(L, 0.0f);
  const float delaySamples = sr * delayMs / 1000.0f;
  int write = 0;
  int read = write - static_cast<int>(delaySamples);
  if (read < 0) {
    read += L;
  }
  float inGain = inTarget, outGain = outTarget, mix = s.mix, fbGain = s.feedback, depth = s.depth;
  float xfade = 1.0f;
  float n = 1e-10f;
  Biquad aaL[2], aaR[2];
  float windowL[16] = {}, windowR[16] = {};
  float sumL = 0, sumR = 0;
  int windowIndex = 0;
  float histL[4] = {}, histR[4] = {}, readL[4] = {}, readR[4] = {};
  float envLevel = 0, envTerm = 0, lfoPhase = 0, lfoValue = 0;
  float clockPhase = 0, clockStep = 1, clockPeriod = 1;
  float hcL = 0, hcR = 0, fbL = 0, fbR = 0;

  outL.assign(inL.size(), 0.0f);
  outR.assign(inR.size(), 0.0f);
  for (size_t i = 0; i < inL.size(); ++i) {
    n = -n;
    const float xL = inGain * inL[i] + n;
    const float xR = inGain * inR[i] + n;
    const float sL = aaL[1].run(k, aaL[0].run(k, xL)) + fbL;
    const float sR = aaR[1].run(k, aaR[0].run(k, xR)) + fbR;

    const float mL = std::fabs(sL);
    const float mR = std::fabs(sR);
    sumL += mL - windowL[windowIndex];
    sumR += mR - windowR[windowIndex];
    windowL[windowIndex] = mL;
    windowR[windowIndex] = mR;
    windowIndex = (windowIndex + 1) % N;
    if (windowIndex == 0) {
      sumL = 0;
      sumR = 0;
      for (int w = 0; w < N; ++w) {
        sumL += windowL[w];
        sumR += windowR[w];
      }
    }
    const float meanL = sumL / N;
    const float meanR = sumR / N;
    const float gL = meanL > 2 ? 1 / meanL : 1 - 0.25f * meanL;
    const float gR = meanR > 2 ? 1 / meanR : 1 - 0.25f * meanR;
    const float lL = sL * gL;
    const float lR = sR * gR;

    envLevel = flush(c10 * envLevel + (1 - c10) * (0.5f * (gL * mL + gR * mR)));
    envTerm = (dsp::envelopePower(envLevel) - 0.5f) * envAmount;

    for (int h = 0; h < 3; ++h) {
      histL[h] = histL[h + 1];
      histR[h] = histR[h + 1];
    }
    histL[3] = lL;
    histR[3] = lR;

    inGain = (1 - a30) * inTarget + a30 * inGain + n;
    outGain = (1 - a30) * outTarget + a30 * outGain + n;
    mix = (1 - a30) * s.mix + a30 * mix + n;
    depth = (1 - a30) * s.depth + a30 * depth + n;
    fbGain = (1 - a30) * s.feedback + a30 * fbGain;
    if (std::fabs(fbGain) < 0.00001f) {
      fbGain = 0;
    }
    const float w = flush(mix * outGain);
    const float dry = outGain - w;
    const float wet = w * delaySign;

    const float osc = square ? (lfoPhase <= 0 ? 1.0f : -1.0f) : -dsp::sineOfPhase(lfoPhase);
    lfoPhase += increment;
    if (lfoPhase >= 3.1415927f) {
      lfoPhase -= 6.2831855f;
    }
    lfoValue = osc * lfoAmount;
    clockPeriod = ((lfoValue + envTerm) * depth + manual) * doubling;
    const float step = 1 / clockPeriod;
    const float q = 1 - (1 - clockPhase) * step / clockStep;
    clockPhase = q + step;
    clockStep = step;

    float u = 1 - q;
    while (clockPhase >= 1) {
      clockPhase -= 1;
      const float t = u / clockStep;
      const float newL = catmullRom(histL, t);
      const float newR = catmullRom(histR, t);
      memL[write] = (1 - xfade) * memL[read] + xfade * newL;
      memR[write] = (1 - xfade) * memR[read] + xfade * newR;
      xfade = std::fmin(xfade * growth, 1.0f);
      for (int h = 0; h < 3; ++h) {
        readL[h] = readL[h + 1];
        readR[h] = readR[h + 1];
      }
      readL[3] = memL[read];
      readR[3] = memR[read];
      if (++read == L) {
        read = 0;
      }
      if (++write == L) {
        write = 0;
      }
      u += 1;
    }
    float dL;
    float dR;
    if (delaySamples < 3) {
      dL = lL;
      dR = lR;
    } else {
      dL = catmullRom(readL, clockPhase);
      dR = catmullRom(readR, clockPhase);
    }
    hcL = flush(s.hiCut ? c4k * hcL + (1 - c4k) * dL : dL);
    hcR = flush(s.hiCut ? c4k * hcR + (1 - c4k) * dR : dR);
    fbL = fbGain * hcL * feedbackSign;
    fbR = fbGain * hcR * feedbackSign;
    outL[i] = xL * dry + dL * wet;
    outR[i] = xR * dry + dR * wet;
  }
}
