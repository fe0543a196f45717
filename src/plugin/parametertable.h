// The effect's 18 parameters: indices, names and unit labels, and the note
// tables of the tempo-synced delay.
#pragma once

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

constexpr const char* kParameterNames[kNumZelParameters] = {
    "Input",  "Output", "Mix",      "DlyTime", "Dlyx2",  "DlyInv", "Fbck",     "HiCut", "FbInv",
    "ManVCO", "Depth",  "Waveform", "Rate",    "RptInf", "Power",  "Dly<>Clk", "Num",   "Den"};

constexpr const char* kParameterLabels[kNumZelParameters] = {
    "dB", "dB", "%", "ms", " ", " ", "dB", " ", " ", "X", "%", "", "Hz", " ", " ", " ", " ", " "};

constexpr int kNumeratorSteps = 5;
constexpr int kDenominatorSteps = 13;
constexpr float numeratorTable[kNumeratorSteps] = {1, 3, 5, 7, 9};
constexpr float denominatorTable[kDenominatorSteps] = {1,  2,  3,  4,  6,  8, 12,
                                                       16, 24, 32, 48, 64, 96};

// Steps of each parameter: 2 for a switch, the table's length for a note
// length, 0 for a continuous one.
constexpr int kParameterSteps[kNumZelParameters] = {
    0, 0, 0, 0, 2, 2, 0, 2, 2, 0, 0, 0, 0, 2, 2, 2, kNumeratorSteps, kDenominatorSteps};

// Longest delay at the nominal clock, in milliseconds.
constexpr float kMaxDelayMs = 3200.0f;

// The host tempos the synced delay follows, in BPM; the editor's tempo control
// spans 0 to the highest.
constexpr float kLowestTempo = 40.0f;
constexpr float kHighestTempo = 400.0f;

// A note of the tables' entries `numIndex` / `denIndex` at `tempoBpm`, in
// milliseconds: a whole note lasts four beats of 60000 ms / tempo.
constexpr float noteLengthMs(int numIndex, int denIndex, float tempoBpm) {
  return numeratorTable[numIndex] * 240000.0f / (denominatorTable[denIndex] * tempoBpm);
}
