// The settings the engine is measured with, shared by the benchmark and the
// instruction-count driver, and the instance each runs on.
#pragma once

#include <utility>
#include <vector>

#include "host/vst2.h"
#include "plugin/editorfactory.h"

struct EngineCase {
  const char* name;
  float sampleRate;
  std::vector<std::pair<VstInt32, float>> settings;
};

const std::vector<EngineCase>& engineCases();
const EngineCase* findEngineCase(const char* name);

// An instance switched on at the case's rate with its settings glided in.
AEffect* openEngineCase(const EngineCase& c, EditorFactory editorFactory = nullptr);
void closeEngineCase(AEffect* e);

// Stereo noise blocks of a fixed size, as the host's buffers.
struct NoiseBlock {
  std::vector<float> inL, inR, outL, outR;
  explicit NoiseBlock(int frames);
  int frames() const { return static_cast<int>(inL.size()); }
  void process(AEffect* e, int frames) {
    float* in[2] = {inL.data(), inR.data()};
    float* out[2] = {outL.data(), outR.data()};
    e->processReplacing(e, in, out, frames);
  }
};
