// Rendering through the effect as a host does, for the engine's tests.
#pragma once

#include <initializer_list>
#include <utility>
#include <vector>

#include "fakehost.h"
#include "plugin.h"
#include "plugin/zel.h"
#include "zelprobe.h"

// pi, since M_PI is not in standard C++.
constexpr double kTestPi = 3.14159265358979323846;

struct Stereo {
  std::vector<float> l, r;
  explicit Stereo(size_t n = 0) : l(n, 0.0f), r(n, 0.0f) {}
  size_t size() const { return l.size(); }
};

class Render {
 public:
  explicit Render(float sampleRate = 44100.0f) { plugin.start(sampleRate); }

  Zel& zel() { return *static_cast<Zel*>(static_cast<AudioEffect*>(plugin.effect()->object)); }
  ZelProbe probe() { return ZelProbe(zel()); }
  void set(std::initializer_list<std::pair<VstInt32, float>> values) {
    for (const auto& [index, value] : values) {
      plugin.setParameter(index, value);
    }
  }
  // Switching off and on again settles the smoothed controls on their targets.
  void settle() {
    plugin.dispatch(effMainsChanged, 0, 0);
    plugin.dispatch(effMainsChanged, 0, 1);
  }
  // Processes the input in blocks of the given size (the last one shorter).
  Stereo run(const Stereo& in, size_t block = 512);
  // Silence of n frames through the effect.
  Stereo silence(size_t n, size_t block = 512) { return run(Stereo(n), block); }

  FakeHost host;  // declared first: it must outlive the plug-in
  Plugin plugin;
};

// The index of the largest magnitude in [from, to).
size_t peakIndex(const std::vector<float>& x, size_t from = 0, size_t to = 0);
float peakValue(const std::vector<float>& x, size_t from = 0, size_t to = 0);
// Root mean square of [from, to).
float rms(const std::vector<float>& x, size_t from, size_t to);
// True when every sample of both channels is a finite number.
bool allFinite(const Stereo& s);
Stereo impulse(size_t n, float amplitude = 0.5f);
Stereo sine(size_t n, float hz, float amplitude, float sampleRate = 44100.0f);
Stereo noise(size_t n, float amplitude, unsigned seed = 1);
