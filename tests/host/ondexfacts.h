// What the end-to-end tests know about the plug-in they render through.
#pragma once

#include <string>

#include "hostrun.h"

// Whether the plug-in reports its parameters by name yet (the engine that
// names them may still be on its way).
inline bool parametersAreNamed() {
  static const bool named = runHost({"info"}).out.find("DlyTime") != std::string::npos;
  return named;
}

// True when every sample of the output equals the input: the plug-in still
// passes audio through untouched.
inline bool passesThrough(const Sound& input, const Sound& output) {
  if (output.channels.size() != input.channels.size() || output.frames() < input.frames()) {
    return false;
  }
  for (size_t c = 0; c < input.channels.size(); ++c) {
    for (size_t f = 0; f < output.frames(); ++f) {
      const float expected = f < input.frames() ? input.channels[c][f] : 0.0f;
      if (output.channels[c][f] != expected) {
        return false;
      }
    }
  }
  return true;
}

constexpr int kRate = 44100;
