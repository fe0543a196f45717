// An instance as a host holds it while fuzzing: created through the entry
// point, switched on, and played one block at a time with finite input, whose
// output must stay finite whatever the fuzzer did before.
#pragma once

#include <cstdint>

#include "host/vst2.h"

class FuzzPlugin {
 public:
  FuzzPlugin();
  ~FuzzPlugin();
  FuzzPlugin(const FuzzPlugin&) = delete;
  FuzzPlugin& operator=(const FuzzPlugin&) = delete;

  AEffect* effect() const { return record; }
  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  // Plays frames (at most kMaxFrames) of a steady noise; stops the run if any
  // output sample is not finite.
  void playBlock(int frames);
  // The state chunk as it stands, copied (at most capacity bytes).
  int copyChunk(uint8_t* out, int capacity);

  static constexpr int kMaxFrames = 512;

 private:
  AEffect* record = nullptr;
  unsigned noiseState = 1;
};

// Ends the run with a report the fuzzer keeps, for a broken invariant.
[[noreturn]] void invariantBroken(const char* what);
