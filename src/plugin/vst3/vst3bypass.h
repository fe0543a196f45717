// The host's bypass: the input passes to the output, faded in and out over a
// few milliseconds so that switching never clicks. The effect keeps running
// underneath, so its echoes go on where they were when bypass ends.
#pragma once

#include <cstdint>
#include <vector>

class Vst3Bypass {
 public:
  // Fade length in seconds.
  static constexpr double kFadeSeconds = 0.01;

  // Main thread, inactive: room for the dry input of the longest block.
  void prepare(double sampleRate, uint32_t maxFrames);

  // Audio: whether this block needs the dry input kept (bypassed, fading, or
  // switched within it).
  bool needsDry(bool bypassedOrSwitched) const { return gain > 0.0f || bypassedOrSwitched; }
  // Audio: keeps the input before the effect overwrites it (the buffers may
  // be shared); a missing input is silence, a missing right channel the left.
  void keepDry(const float* const* inputs, int32_t inputChannels, uint32_t frames);
  // Audio: mixes the kept input into `outputs` from `from` to `to`, moving
  // toward `bypassed`.
  void mix(float* const* outputs, int32_t channels, uint32_t from, uint32_t to, bool bypassed);
  // Audio: ends a fade at once (a fresh start).
  void settle(bool bypassed) { gain = target = bypassed ? 1.0f : 0.0f; }

 private:
  std::vector<float> dry[2];
  float step = 1.0f;
  float gain = 0.0f;  // share of the dry input in the output
  float target = 0.0f;
};
