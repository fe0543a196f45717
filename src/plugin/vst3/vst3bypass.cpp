// The bypass's fade, planned in whole frames before the effect runs (so the
// Power changes land on their frames among the block's events) and mixed
// after it, linear in gain.
#include "vst3bypass.h"

#include <algorithm>
#include <cstring>

void Vst3Bypass::prepare(double sampleRate, uint32_t maxFrames, bool on) {
  for (auto& channel : dry) {
    channel.assign(maxFrames, 0.0f);
  }
  length = static_cast<uint32_t>(std::max(1.0, sampleRate * kFadeSeconds));
  powerOn = on;
  position = on ? 0 : length;
  direction = 0;
  powerOffIn = -1;
}

void Vst3Bypass::startBlock(bool on, bool audio) {
  // Power moved by other means (the panel, its automation, a program): the
  // output is what the effect gives, so the fade stands still where it ends.
  if (on != powerOn && powerOffIn < 0) {
    position = on ? 0 : length;
    direction = 0;
  }
  powerOn = on;
  planFrame = 0;
  segmentCount = 0;
  changeCount = 0;
  withAudio = audio;
}

void Vst3Bypass::addChange(uint32_t frame, bool on) {
  if (changeCount < kMostChanges) {
    changes[changeCount++] = {frame, on};
  }
  powerOn = on;
}

void Vst3Bypass::advanceTo(uint32_t frame) {
  if (frame <= planFrame) {
    return;
  }
  const uint32_t span = frame - planFrame;
  if (direction != 0 && segmentCount < kMostChanges) {
    segments[segmentCount++] = {planFrame, frame, position, direction};
  }
  if (direction > 0) {
    position = std::min(length, position + span);
  } else if (direction < 0) {
    position = position > span ? position - span : 0;
  }
  if (position == 0 || position == length) {
    direction = 0;
  }
  if (powerOffIn >= 0) {
    powerOffIn = std::max<int64_t>(0, powerOffIn - span);
  }
  planFrame = frame;
}

void Vst3Bypass::switchAt(uint32_t frame, bool bypassed) {
  if (!withAudio) {
    frame = 0;
  }
  // Power off due within the frames before this switch goes off there.
  if (powerOffIn >= 0 && planFrame + powerOffIn <= frame) {
    const auto at = static_cast<uint32_t>(planFrame + powerOffIn);
    advanceTo(at);
    addChange(at, false);
    powerOffIn = -1;
  }
  advanceTo(frame);
  if (bypassed) {
    if (!powerOn || powerOffIn >= 0) {
      return;  // bypassed already, or on the way
    }
    if (!withAudio) {
      position = length;
      addChange(frame, false);
      return;
    }
    direction = 1;
    powerOffIn = length - position;
    return;
  }
  if (powerOffIn >= 0) {
    powerOffIn = -1;  // Power never went off: the fade turns back
    direction = -1;
    return;
  }
  if (!powerOn) {
    // Power off has passed the dry input: it comes on under a dry output.
    position = withAudio ? length : 0;
    direction = withAudio ? -1 : 0;
    addChange(frame, true);
  }
}

void Vst3Bypass::endPlan(uint32_t frames) {
  if (!withAudio) {
    return;
  }
  if (powerOffIn >= 0 && planFrame + powerOffIn < frames) {
    const auto at = static_cast<uint32_t>(planFrame + powerOffIn);
    advanceTo(at);
    addChange(at, false);
    powerOffIn = -1;
  }
  advanceTo(frames);
  planFrame = 0;
}

void Vst3Bypass::keepDry(const float* const* inputs, int32_t inputChannels, uint32_t frames) {
  frames = std::min<uint32_t>(frames, static_cast<uint32_t>(dry[0].size()));
  for (int32_t c = 0; c < 2; ++c) {
    const float* from =
        inputs != nullptr && inputChannels > 0 ? inputs[std::min(c, inputChannels - 1)] : nullptr;
    if (from != nullptr) {
      std::memcpy(dry[c].data(), from, frames * sizeof(float));
    } else {
      std::fill_n(dry[c].begin(), frames, 0.0f);
    }
  }
}

void Vst3Bypass::mix(float* const* outputs, int32_t channels) const {
  const float scale = 1.0f / static_cast<float>(length);
  const auto room = static_cast<uint32_t>(dry[0].size());
  for (size_t s = 0; s < segmentCount; ++s) {
    const Segment& segment = segments[s];
    for (int32_t c = 0; c < std::min(channels, 2); ++c) {
      float* out = outputs[c];
      if (out == nullptr) {
        continue;
      }
      auto at = static_cast<int64_t>(segment.position);
      for (uint32_t i = segment.from; i < std::min(segment.to, room); ++i) {
        at = std::clamp<int64_t>(at + segment.direction, 0, length);
        const float g = static_cast<float>(at) * scale;
        out[i] += g * (dry[c][i] - out[i]);
      }
    }
  }
}
