// The bypass crossfade, linear in gain: short enough to feel immediate, long
// enough that no step is heard.
#include "vst3bypass.h"

#include <algorithm>
#include <cstring>

void Vst3Bypass::prepare(double sampleRate, uint32_t maxFrames) {
  for (auto& channel : dry) {
    channel.assign(maxFrames, 0.0f);
  }
  const double frames = std::max(1.0, sampleRate * kFadeSeconds);
  step = static_cast<float>(1.0 / frames);
}

void Vst3Bypass::keepDry(const float* const* inputs, int32_t inputChannels, uint32_t frames) {
  frames = std::min<uint32_t>(frames, static_cast<uint32_t>(dry[0].size()));
  for (int32_t c = 0; c < 2; ++c) {
    const float* from = nullptr;
    if (inputs != nullptr && inputChannels > 0) {
      from = inputs[std::min(c, inputChannels - 1)];
    }
    if (from != nullptr) {
      std::memcpy(dry[c].data(), from, frames * sizeof(float));
    } else {
      std::fill_n(dry[c].begin(), frames, 0.0f);
    }
  }
}

void Vst3Bypass::mix(float* const* outputs, int32_t channels, uint32_t from, uint32_t to,
                     bool bypassed) {
  target = bypassed ? 1.0f : 0.0f;
  to = std::min<uint32_t>(to, static_cast<uint32_t>(dry[0].size()));
  if (gain == 0.0f && target == 0.0f) {
    return;  // the effect alone: nothing to mix
  }
  const float start = gain;
  for (int32_t c = 0; c < std::min(channels, 2); ++c) {
    float* out = outputs[c];
    if (out == nullptr) {
      continue;
    }
    float g = start;
    for (uint32_t i = from; i < to; ++i) {
      g = g < target ? std::min(target, g + step) : std::max(target, g - step);
      out[i] = g == 1.0f ? dry[c][i] : out[i] + g * (dry[c][i] - out[i]);  // bypassed: exact
    }
    gain = g;
  }
}
