#include "factorypresets.h"

#include <cstddef>
#include <utility>

#include "common/parameters.h"

namespace {

static_assert(kNumZelParameters == kNumEffectParams);

// The first program holds every parameter's factory default.
template <size_t... I>
constexpr FactoryPreset defaultProgram(std::index_sequence<I...> /*parameters*/) {
  return {"default", {kParameterTable[I].defaultValue...}};
}

}  // namespace

// Parameter order: Input, Output, Mix, DlyTime, Dlyx2, DlyInv, Fbck, HiCut, FbInv,
// ManVCO, Depth, Waveform, Rate, RptInf, Power, Dly<>Clk, Num, Den.
// Switches sit at step centres (0.25 off, 0.75 on); Num and Den at the centres
// of their 5 and 13 steps.
const FactoryPreset kFactoryPresets[kNumPrograms] = {
    defaultProgram(std::make_index_sequence<kNumEffectParams>{}),
    {"wiper",
     {0.6f, 0.3885f, 0.5f, 0.000344f, 0.25f, 0.75f, 0.9975f, 0.75f, 0.25f, 0.5f, 0.5965f, 0.0f,
      0.0f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"8th fast tape",
     {0.5f, 0.5f, 0.324497f, 0.000094f, 0.25f, 0.25f, 0.404367f, 0.25f, 0.25f, 0.5f, 0.0f, 0.5f,
      0.0f, 0.25f, 0.75f, 0.75f, 0.1f, 0.423077f}},
    {"didgee",
     {0.5f, 0.5f, 0.5f, 0.002531f, 0.25f, 0.75f, 0.9515f, 0.75f, 0.75f, 0.1895f, 0.0f, 0.5f, 0.514f,
      0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"dotted 8th slow tape",
     {0.604228f, 0.423066f, 0.407912f, 0.00007f, 0.75f, 0.25f, 0.565557f, 0.75f, 0.25f, 0.5f, 0.0f,
      0.5f, 0.0f, 0.25f, 0.75f, 0.75f, 0.3f, 0.730769f}},
    {"light flanger",
     {0.5f, 0.5f, 0.490091f, 0.000344f, 0.25f, 0.75f, 0.0f, 0.25f, 0.25f, 0.761633f, 0.811078f,
      0.0f, 0.138538f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"wow tape",
     {0.622706f, 0.479528f, 0.459736f, 0.053856f, 0.25f, 0.25f, 0.53191f, 0.75f, 0.25f, 0.5f, 0.1f,
      0.31f, 0.5f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"16th downsampled",
     {0.5f, 0.5f, 0.4f, 0.000094f, 0.25f, 0.25f, 0.48f, 0.25f, 0.25f, 1.0f, 0.0f, 0.5f, 0.0f, 0.25f,
      0.75f, 0.75f, 0.1f, 0.653846f}},
    {"doubler",
     {0.5f, 0.584263f, 0.404367f, 0.002481f, 0.75f, 0.25f, 0.0f, 0.25f, 0.25f, 0.5f, 0.486754f,
      0.436657f, 0.098389f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"running up",
     {0.5f, 0.5f, 0.324497f, 0.000094f, 0.25f, 0.25f, 0.5f, 0.25f, 0.25f, 0.5f, 0.75f, 0.5f, 0.0f,
      0.25f, 0.75f, 0.75f, 0.1f, 0.423077f}},
    {"deep flanger",
     {0.5f, 0.5f, 0.490091f, 0.000344f, 0.25f, 0.75f, 0.921294f, 0.25f, 0.75f, 0.761633f, 0.811078f,
      0.0f, 0.138538f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"lezlie",
     {0.5f, 0.523482f, 0.5f, 0.000344f, 0.25f, 0.25f, 0.431722f, 0.75f, 0.25f, 0.840741f, 0.633435f,
      0.133435f, 0.964954f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"fourforty fast",
     {0.622706f, 0.479528f, 0.379736f, 0.053856f, 0.25f, 0.25f, 0.53191f, 0.75f, 0.25f, 0.5f, 0.0f,
      0.5f, 0.0f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"vocoder",
     {0.5f, 0.474248f, 0.5f, 0.002143f, 0.25f, 0.75f, 0.869564f, 0.25f, 0.75f, 0.5f, 0.150375f,
      0.5f, 0.932633f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"fourforty slow",
     {0.624045f, 0.436143f, 0.379736f, 0.053756f, 0.75f, 0.25f, 0.398243f, 0.75f, 0.25f, 0.5f, 0.0f,
      0.5f, 0.0f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"driven crazy",
     {0.891268f, 0.343935f, 0.973056f, 0.000344f, 0.25f, 0.25f, 0.0f, 0.25f, 0.25f, 0.5f, 0.0f,
      0.5f, 0.0f, 0.25f, 0.75f, 0.25f, 0.1f, 0.038462f}},
    {"16th slapback",
     {0.604228f, 0.5f, 0.407912f, 0.019531f, 0.75f, 0.25f, 0.0f, 0.75f, 0.25f, 0.5f, 0.0f, 0.5f,
      0.0f, 0.25f, 0.75f, 0.75f, 0.1f, 0.730769f}},
};
