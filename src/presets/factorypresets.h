// The programs every new instance starts with.
#pragma once

#include "program.h"

struct FactoryPreset {
  const char* name;
  float values[kNumEffectParams];
};

extern const FactoryPreset kFactoryPresets[kNumPrograms];
