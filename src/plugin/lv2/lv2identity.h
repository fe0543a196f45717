// The LV2 plug-in's names as hosts and stored sessions know them: kept for
// ever, since a session finds its plug-in, state and presets by them.
#pragma once

#include <cstdint>

#include "common/parameters.h"

#define ONDEX_LV2_URI "https://zel-acoustics.com/plugins/ondex"

constexpr const char* kLv2PluginUri = ONDEX_LV2_URI;
constexpr const char* kLv2UiUri = ONDEX_LV2_URI "#ui";
constexpr const char* kLv2ProjectUri = ONDEX_LV2_URI "#project";
// The state's one property: the VST 2.4 bank chunk's bytes, as an atom:Chunk.
constexpr const char* kLv2ChunkUri = ONDEX_LV2_URI "#chunk";
// Beside it, the control ports' values as the host held them (an atom:Vector
// of floats): written back on reload they are no news, so they undo nothing
// of the chunk, while any other value the host sets applies.
constexpr const char* kLv2PortsUri = ONDEX_LV2_URI "#ports";
constexpr const char* kLv2PresetPrefix = ONDEX_LV2_URI "#preset-";
// A factory preset's state: the index of its program (an atom:Int), whose
// values load whole, whatever the ports held before.
constexpr const char* kLv2FactoryProgramUri = ONDEX_LV2_URI "#factory-program";

// Ports in order: audio in, audio out, the event input, the parameters in
// the order of the parameter table, then the notices to the host.
enum Lv2Port : uint32_t {
  kLv2InL = 0,
  kLv2InR,
  kLv2OutL,
  kLv2OutR,
  kLv2Events,
  kLv2FirstParameter,
  kLv2Notify = kLv2FirstParameter + kNumZelParameters,
  kLv2PortCount
};

// Each parameter's port symbol, in table order.
constexpr const char* kLv2Symbols[kNumZelParameters] = {
    "input", "output",  "mix",    "dly_time", "dly_x2", "dly_inv",
    "fbck",  "hi_cut",  "fb_inv", "man_vco",  "depth",  "waveform",
    "rate",  "rpt_inf", "power",  "dly_clk",  "num",    "den"};
