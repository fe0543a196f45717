#include "fuzzplugin.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plugin/zel.h"
#include "quiethost.h"

void invariantBroken(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

FuzzPlugin::FuzzPlugin() : record(effectEntry(quiethost::callback)) {
  if (record == nullptr) {
    invariantBroken("no instance");
  }
  quiethost::transport = VstTimeInfo{};
  quiethost::transport.tempo = 120.0;
  quiethost::transport.sampleRate = 44100.0;
  quiethost::transport.flags = kVstTempoValid | kVstPpqPosValid;
  quiethost::answersTime = true;
  dispatch(effOpen);
  dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
  dispatch(effSetBlockSize, 0, kMaxFrames);
  dispatch(effMainsChanged, 0, 1);
}

FuzzPlugin::~FuzzPlugin() { record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f); }

VstIntPtr FuzzPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) {
  return record->dispatcher(record, opcode, index, value, ptr, opt);
}

void FuzzPlugin::playBlock(int frames) {
  if (frames < 0 || frames > kMaxFrames) {
    frames = kMaxFrames;
  }
  float inL[kMaxFrames], inR[kMaxFrames], outL[kMaxFrames], outR[kMaxFrames];
  for (int i = 0; i < frames; ++i) {
    noiseState = noiseState * 1664525u + 1013904223u;
    inL[i] = static_cast<float>(noiseState >> 8) / 16777216.0f - 0.5f;
    inR[i] = -inL[i];
    outL[i] = outR[i] = 0.0f;
  }
  float* inputs[2] = {inL, inR};
  float* outputs[2] = {outL, outR};
  record->processReplacing(record, inputs, outputs, frames);
  for (int i = 0; i < frames; ++i) {
    if (!std::isfinite(outL[i]) || !std::isfinite(outR[i])) {
      invariantBroken("output not finite for finite input");
    }
  }
  quiethost::transport.ppqPos += frames * quiethost::transport.tempo / (60.0 * 44100.0);
}

int FuzzPlugin::copyChunk(uint8_t* out, int capacity) {
  void* data = nullptr;
  const auto size = static_cast<int>(dispatch(effGetChunk, 0, 0, &data));
  if (size <= 0 || size > capacity || data == nullptr) {
    invariantBroken("no chunk");
  }
  std::memcpy(out, data, static_cast<size_t>(size));
  return size;
}
