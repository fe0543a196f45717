#include "render.h"

#include <algorithm>
#include <cmath>
#include <random>

Stereo Render::run(const Stereo& in, size_t block) {
  Stereo out(in.size());
  AEffect* e = plugin.effect();
  for (size_t at = 0; at < in.size(); at += block) {
    const size_t n = std::min(block, in.size() - at);
    float* inputs[2] = {const_cast<float*>(in.l.data() + at),   // NOLINT: host buffers
                        const_cast<float*>(in.r.data() + at)};  // NOLINT
    float* outputs[2] = {out.l.data() + at, out.r.data() + at};
    e->processReplacing(e, inputs, outputs, static_cast<VstInt32>(n));
  }
  return out;
}

size_t peakIndex(const std::vector<float>& x, size_t from, size_t to) {
  if (to == 0) {
    to = x.size();
  }
  size_t best = from;
  for (size_t i = from; i < to; ++i) {
    if (std::fabs(x[i]) > std::fabs(x[best])) {
      best = i;
    }
  }
  return best;
}

float peakValue(const std::vector<float>& x, size_t from, size_t to) {
  return std::fabs(x[peakIndex(x, from, to)]);
}

float rms(const std::vector<float>& x, size_t from, size_t to) {
  double sum = 0.0;
  for (size_t i = from; i < to; ++i) {
    sum += static_cast<double>(x[i]) * x[i];
  }
  return static_cast<float>(std::sqrt(sum / static_cast<double>(to - from)));
}

bool allFinite(const Stereo& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (!std::isfinite(s.l[i]) || !std::isfinite(s.r[i])) {
      return false;
    }
  }
  return true;
}

Stereo impulse(size_t n, float amplitude) {
  Stereo s(n);
  s.l[0] = amplitude;
  s.r[0] = amplitude;
  return s;
}

Stereo sine(size_t n, float hz, float amplitude, float sampleRate) {
  Stereo s(n);
  for (size_t i = 0; i < n; ++i) {
    const float v =
        amplitude *
        static_cast<float>(std::sin(2.0 * kTestPi * hz * static_cast<double>(i) / sampleRate));
    s.l[i] = v;
    s.r[i] = v;
  }
  return s;
}

Stereo noise(size_t n, float amplitude, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> dist(-amplitude, amplitude);
  Stereo s(n);
  for (size_t i = 0; i < n; ++i) {
    s.l[i] = dist(rng);
    s.r[i] = dist(rng);
  }
  return s;
}
