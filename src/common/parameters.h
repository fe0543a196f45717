// The effect's 18 parameters, one row each: everything the host interfaces,
// the preset system and the editor know of a parameter. Plain constants, so
// that every layer includes it without linking anything.
#pragma once

#include <array>
#include <iterator>

enum ZelParameter : int {
  kInput = 0,
  kOutput,
  kMix,
  kDlyTime,
  kDlyx2,
  kDlyInv,
  kFbck,
  kHiCut,
  kFbInv,
  kManVCO,
  kDepth,
  kWaveform,
  kRate,
  kRptInf,
  kPower,
  kDlyClk,
  kNum,
  kDen,
  kNumZelParameters
};

// The note lengths of the tempo-synced delay; their sizes are the steps of Num and Den.
constexpr float numeratorTable[] = {1, 3, 5, 7, 9};
constexpr float denominatorTable[] = {1, 2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 64, 96};
constexpr int kNumeratorSteps = static_cast<int>(std::size(numeratorTable));
constexpr int kDenominatorSteps = static_cast<int>(std::size(denominatorTable));

// A switch is on from 0.5 (2 steps); a stepped value picks one of its steps.
enum class ParameterKind : unsigned char { Continuous, Switch, Stepped };

// How a value reads as text; the effect writes and parses each shape.
enum class DisplayKind : unsigned char {
  Gain,          // dB of 4·v²
  MixShares,     // "dry", "wet" or direct-delayed percentages
  DelayTime,     // ms of the delay in force
  OnOff,         // the switch's state
  FeedbackGain,  // dB of v
  ClockRatio,    // v + 0.5
  Percent,       // v·100, truncated
  WaveBlend,     // "sin", "env", "sqr" or the two shares of a blend
  RateHz,        // the oscillator's rate
  SyncMode,      // "dly" or "clk"
  Numerator,     // the note length's numerator
  Denominator,   // its denominator
};

// The editor's control of a parameter; Num and Den have none of their own.
enum class EditorControl : unsigned char { None, Knob, OnOffButton, ModeSwitch };

struct ParameterRow {
  ZelParameter index;
  const char* name;       // what hosts list
  const char* shortName;  // for hosts with room for 7 characters
  const char* label;      // the unit; " " for none, "" for Waveform, as hosts have always seen
  ParameterKind kind;
  int steps;              // 0 when continuous
  float hostStep;         // a fine step offered to hosts that ask, 0 for none
  float defaultValue;     // the factory default: program 0, "default"
  float initialValue;     // what the effect holds before its first program applies
  int defaultController;  // the MIDI controller that drives it in a new instance
  DisplayKind display;
  EditorControl control;
};

namespace parameterrows {
using enum ParameterKind;
using enum DisplayKind;
using enum EditorControl;
// About half a millisecond of delay per step.
constexpr float kDelayStep = 1.0f / 6401.0f;
}  // namespace parameterrows

// Switches default to their step centres (0.25 off, 0.75 on), Num and Den to
// the centres of their first steps; the initial values are the lower edges.
constexpr std::array<ParameterRow, kNumZelParameters> kParameterTable = [] {
  using namespace parameterrows;  // NOLINT(google-build-using-namespace): the table's own words
  return std::array<ParameterRow, kNumZelParameters>{{
      // index, name, short name, label, kind, steps, host step, default, initial, controller,
      // display, editor control
      {kInput, "Input", "Input", "dB", Continuous, 0, 0, 0.5f, 0.5f, 102, Gain, Knob},
      {kOutput, "Output", "Output", "dB", Continuous, 0, 0, 0.5f, 0.5f, 103, Gain, Knob},
      {kMix, "Mix", "Mix", "%", Continuous, 0, 0, 0.5f, 0.5f, 104, MixShares, Knob},
      {kDlyTime, "DlyTime", "DlyTime", "ms", Continuous, 0, kDelayStep, 0.624961f, 0.0f, 105,
       DelayTime, None},
      {kDlyx2, "Dlyx2", "Dlyx2", " ", Switch, 2, 0, 0.25f, 0.0f, 107, OnOff, OnOffButton},
      {kDlyInv, "DlyInv", "DlyInv", " ", Switch, 2, 0, 0.25f, 0.0f, 108, OnOff, OnOffButton},
      {kFbck, "Fbck", "Fbck", "dB", Continuous, 0, 0, 0.0f, 0.0f, 109, FeedbackGain, Knob},
      {kHiCut, "HiCut", "HiCut", " ", Switch, 2, 0, 0.25f, 0.0f, 110, OnOff, OnOffButton},
      {kFbInv, "FbInv", "FbInv", " ", Switch, 2, 0, 0.25f, 0.0f, 111, OnOff, OnOffButton},
      {kManVCO, "ManVCO", "ManVCO", "X", Continuous, 0, 0, 0.5f, 0.5f, 112, ClockRatio, Knob},
      {kDepth, "Depth", "Depth", "%", Continuous, 0, 0, 0.0f, 0.0f, 113, Percent, Knob},
      {kWaveform, "Waveform", "Wave", "", Continuous, 0, 0, 0.5f, 0.5f, 114, WaveBlend, Knob},
      {kRate, "Rate", "Rate", "Hz", Continuous, 0, 0, 0.0f, 0.0f, 115, RateHz, Knob},
      {kRptInf, "RptInf", "RptInf", " ", Switch, 2, 0, 0.25f, 0.0f, 116, OnOff, OnOffButton},
      {kPower, "Power", "Power", " ", Switch, 2, 0, 0.75f, 0.5f, 117, OnOff, OnOffButton},
      // Hosts have always shown this short name, cut from the long one.
      {kDlyClk, "Dly<>Clk", "Dly<>Cl", " ", Switch, 2, 0, 0.25f, 0.0f, 118, SyncMode, ModeSwitch},
      {kNum, "Num", "Num", " ", Stepped, kNumeratorSteps, 0, 0.1f, 0.0f, 119, Numerator, None},
      {kDen, "Den", "Den", " ", Stepped, kDenominatorSteps, 0, 0.038462f, 0.0f, 120, Denominator,
       None},
  }};
}();

// Each row sits at its index, and the kinds and step counts agree.
static_assert([] {
  for (int i = 0; i < kNumZelParameters; ++i) {
    const ParameterRow& row = kParameterTable[i];
    const bool stepsFit = row.kind == ParameterKind::Continuous ? row.steps == 0
                          : row.kind == ParameterKind::Switch   ? row.steps == 2
                                                                : row.steps > 2;
    int shortLength = 0;
    while (row.shortName[shortLength] != 0) {
      ++shortLength;
    }
    if (row.index != i || !stepsFit || shortLength > 7) {
      return false;
    }
  }
  return true;
}());
