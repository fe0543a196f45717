#include "demophrase.h"

#include <cmath>
#include <vector>

#include "noise.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBeat = 0.375;  // seconds: 160 beats per minute

// A plucked string: a noise burst circulating in a damped delay line.
void pluck(Audio& audio, double start, double frequency, float level, float pan,
           std::uint32_t seed) {
  const double rate = audio.sampleRate;
  const auto period = static_cast<size_t>(std::lround(rate / frequency));
  std::vector<float> line(period);
  Noise noise(seed);
  for (float& sample : line) {
    sample = noise.next();
  }
  const auto first = static_cast<size_t>(start * rate);
  const auto length = static_cast<size_t>(1.2 * rate);
  const float left = level * std::sqrt(1.0f - pan);
  const float right = level * std::sqrt(pan);
  float previous = 0.0f;
  for (size_t i = 0; i < length && first + i < audio.frames(); ++i) {
    const size_t at = i % period;
    const float sample = line[at];
    line[at] = 0.498f * (sample + previous);
    previous = sample;
    audio.channels[0][first + i] += left * sample;
    audio.channels[1][first + i] += right * sample;
  }
}

// A percussive hit: a falling sine thump under a short burst of noise.
void hit(Audio& audio, double start, float level) {
  const double rate = audio.sampleRate;
  const auto first = static_cast<size_t>(start * rate);
  const auto length = static_cast<size_t>(0.4 * rate);
  Noise noise(7);
  double phase = 0.0;
  for (size_t i = 0; i < length && first + i < audio.frames(); ++i) {
    const double t = static_cast<double>(i) / rate;
    phase += 2.0 * kPi * (50.0 + 120.0 * std::exp(-t * 30.0)) / rate;
    const double body = std::sin(phase) * std::exp(-t * 9.0);
    const double snap = noise.next() * std::exp(-t * 60.0) * 0.5;
    audio.channels[0][first + i] += static_cast<float>(level * (body + snap));
    audio.channels[1][first + i] += static_cast<float>(level * (body + 0.8 * snap));
  }
}

}  // namespace

Audio demoPhrase(double sampleRate) {
  Audio audio;
  audio.sampleRate = sampleRate;
  audio.channels.assign(2, std::vector<float>(static_cast<size_t>(4.0 * sampleRate)));
  // A minor arpeggio, panned across the field, then a hit on the last beat.
  const double notes[] = {220.0, 261.63, 329.63, 440.0, 392.0, 329.63, 261.63, 293.66};
  for (int i = 0; i < 8; ++i) {
    pluck(audio, i * kBeat, notes[i], 0.3f, 0.2f + 0.6f * static_cast<float>(i % 4) / 3.0f,
          static_cast<std::uint32_t>(11 + i));
  }
  hit(audio, 0.0, 0.4f);
  hit(audio, 8 * kBeat, 0.45f);
  return audio;
}
