// The plug-in's identity as hosts see it.
#pragma once

#include "../host/vst2.h"

constexpr VstInt32 kOndexUniqueId = fourCharCode('O', 'n', 'd', 'x');
constexpr const char* kOndexEffectName = "Corvane Ondex";
constexpr const char* kOndexVendor = "Zel-acoustics";
// The per-user store's folder (or registry key) below the vendor's. Users'
// stored defaults and memories are found by it and the vendor's name.
constexpr const char* kOndexStoreFolder = "Ondex";
// 63 characters, so that it and its terminator fit a host's 64-byte buffer.
constexpr const char* kOndexProduct =
    "Corvane Ondex - clocked echoes that bend, drift, double or loop";
