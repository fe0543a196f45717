// Audio in memory: one vector per channel, all of the same length.
#pragma once

#include <cstddef>
#include <vector>

struct Audio {
  double sampleRate = 44100.0;
  std::vector<std::vector<float>> channels;

  size_t frames() const { return channels.empty() ? 0 : channels[0].size(); }
  double seconds() const { return static_cast<double>(frames()) / sampleRate; }
};

enum class SampleFormat { Pcm24, Float32 };
