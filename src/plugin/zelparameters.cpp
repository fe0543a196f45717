// Parameters of the effect: what each value sets in the engine, and how the
// host sees it (name, label, display text, properties).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "../host/aeffeditor.h"
#include "../host/valuetext.h"
#include "common/steps.h"
#include "zel.h"

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;
constexpr int kDisplayLength = 12;

bool switchOn(float v) { return stepIndex(v, 2) == 1; }

void copyText(char* out, const char* text) {
  std::strcpy(out, text);  // NOLINT: texts of this file, all within a host's 64 bytes
}

// "a-b" for the two shares of a blend, cut to the display length.
void writeShares(char* out, int first, int second, int maxLen) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%d-%d", first, second);
  valuetext::copyLimited(buffer, out, maxLen);
}

void writeNote(char* out, float value, int maxLen) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%.0f", value);
  valuetext::copyLimited(buffer, out, maxLen);
}

}  // namespace

void Zel::setParameter(VstInt32 index, float value) {
  // A value that is no number would poison the state; the host's last good one stays.
  if (!std::isfinite(value)) {
    return;
  }
  // Far outside 0 to 1 a value stops the memory clock or overflows a gain: limited, not refused.
  if (index >= 0 && index < kNumZelParameters) {
    value = std::clamp(value, 0.0f, 1.0f);
  }
  CPresetSystemEffect::setParameter(index, value);
  applyValue(index, value);
  // A time refused by the repeat lock or the tempo leaves the program holding
  // the time in force, so that it comes back as it sounded, and the host's
  // copy is told of it (once: the host setting it back is no refusal).
  if (index == kDlyTime) {
    const float inForce = values[kDlyTime].load(kRelaxed);
    storeProgramValue(kDlyTime, inForce);
    if (inForce != value) {
      tellHost(ChangeCause::kRefused, kDlyTime, inForce);
    }
  }
}

// The editor's edit as the host hears it: the value in force, so that a
// refused one leaves the host's copy where the refusal put it.
void Zel::setParameterAutomated(VstInt32 index, float value) {
  setParameter(index, value);
  tell(ChangeCause::kEdited, index,
       index >= 0 && index < kNumZelParameters ? getParameter(index) : value);
}

// Zero to 17 in index order, with the repeat lock of the state left released
// first: the program's delay time and mode apply whatever the repeat was, and
// its own repeat switch (13) then decides, locking Dly<>Clk (15) as it did when
// the program was stored, so the program sounds as it did.
void Zel::applyProgram(const float (&programValues)[kNumEffectParams]) {
  values[kDlyClk].store(0.0f, kRelaxed);
  clockSyncOn.store(false, kRelaxed);
  delayChanged.store(false, kRelaxed);
  repeatOn.store(false, kRelaxed);
  repeatEngaged.store(false, kRelaxed);
  for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
    if (std::isfinite(programValues[i])) {
      applyValue(i, std::clamp(programValues[i], 0.0f, 1.0f));
    }
  }
}

// Both callers have limited the value to 0 to 1.
void Zel::applyValue(VstInt32 index, float value) {
  if (index >= 0 && index < kNumZelParameters) {
    applyParameter(index, value);
  }
  if (editor != nullptr) {
    editor->setParameter(index, value);
  }
}

void Zel::applyParameter(VstInt32 index, float v) {
  switch (index) {
    case kInput:
      inputGainTarget.store(gainOf(v), kRelaxed);
      break;
    case kOutput:
      outputGainTarget.store(gainOf(v), kRelaxed);
      break;
    case kDlyTime:
      if (clockSyncOn.load(kRelaxed)) {
        return;  // the tempo sets the delay
      }
      if (repeatOn.load(kRelaxed)) {
        return;  // the loop keeps its length
      }
      delayTimeMs.store(kMaxDelayMs * v, kRelaxed);
      delayChanged.store(true, std::memory_order_release);  // after the time it announces
      break;
    case kDlyx2: {
      const bool doubled = switchOn(v);
      doublingFactor.store(doubled ? 2.0f : 1.0f, kRelaxed);
      setAntiAliasCutoff(doublingCutoff(doubled, 28000));
      clockPeriod.store(manualClock.load(kRelaxed) * doublingFactor.load(kRelaxed), kRelaxed);
      break;
    }
    case kDlyInv:
      delaySign.store(switchOn(v) ? -1.0f : 1.0f, kRelaxed);
      break;
    case kHiCut:
      hiCutOn.store(switchOn(v), kRelaxed);
      break;
    case kFbInv:
      feedbackSign.store(switchOn(v) ? -1.0f : 1.0f, kRelaxed);
      break;
    case kManVCO:
    case kDepth: {
      const float depth = index == kDepth ? v : values[kDepth].load(kRelaxed);
      const float vco = index == kManVCO ? v : values[kManVCO].load(kRelaxed);
      const float manual = 1.0f + (1.0f - depth) * (vco - 0.5f);
      manualClock.store(manual, kRelaxed);
      clockPeriod.store(manual * doublingFactor.load(kRelaxed), kRelaxed);
      break;
    }
    case kWaveform: {
      const float amount = std::fabs(v - 0.5f);
      lfoAmount.store(amount, kRelaxed);
      envelopeAmount.store(1.0f - 2.0f * amount, kRelaxed);
      squareWave.store(switchOn(v), kRelaxed);
      break;
    }
    case kRate: {
      const float hz = rateOf(v);
      rateHz.store(hz, kRelaxed);
      lfoIncrement.store(oscillatorIncrement(hz), kRelaxed);
      break;
    }
    case kRptInf: {
      const bool on = switchOn(v);
      repeatOn.store(on, kRelaxed);
      if (!on) {
        repeatEngaged.store(false, kRelaxed);
      } else if (!clockSyncOn.load(kRelaxed)) {
        repeatEngaged.store(true, kRelaxed);
      }  // in sync mode the loop engages at the next cycle boundary
      // Released in clock mode, the time follows the tempo and note length
      // again, which may have moved while the loop held.
      if (!on && clockSyncOn.load(kRelaxed)) {
        updateSyncedDelay();
      }
      break;
    }
    case kPower:
      powerOn.store(switchOn(v), kRelaxed);
      break;
    case kDlyClk:
      values[kDlyClk].store(v, kRelaxed);
      clockSyncOn.store(switchOn(v), kRelaxed);
      // The mode follows the switch at once, so what is saved is what is in
      // force; while the loop holds, the loop keeps its length, and the time
      // of the new mode takes over when it releases.
      if (repeatOn.load(kRelaxed)) {
        return;
      }
      if (switchOn(v)) {
        updateSyncedDelay();
      } else {
        delayChanged.store(true, std::memory_order_release);
      }
      return;
    case kNum:
    case kDen:
      if (index == kNum) {
        numIndex.store(stepIndex(v, kNumeratorSteps), kRelaxed);
      } else {
        denIndex.store(stepIndex(v, kDenominatorSteps), kRelaxed);
      }
      values[index].store(v, kRelaxed);
      if (clockSyncOn.load(kRelaxed)) {
        updateSyncedDelay();
      }
      return;
    default:
      break;
  }
  values[index].store(v, kRelaxed);
}

float Zel::getParameter(VstInt32 index) {
  if (index >= 0 && index < kNumZelParameters) {
    return values[index].load(kRelaxed);
  }
  return CPresetSystemEffect::getParameter(index);
}

void Zel::getParameterName(VstInt32 index, char* text) {
  if (index >= 0 && index < kNumZelParameters) {
    copyText(text, kParameterTable[index].name);
  } else if (index >= kNumZelParameters && index < kNumHostParams) {
    std::snprintf(text, kVstMaxLabelLen, "CC# %s", kParameterTable[index - kNumZelParameters].name);
  }
}

void Zel::getParameterLabel(VstInt32 index, char* label) {
  copyText(label, index >= 0 && index < kNumZelParameters ? kParameterTable[index].label : " ");
}

bool Zel::isOn(VstInt32 index) const {
  switch (index) {
    case kDlyx2:
      return doublingFactor.load(kRelaxed) == 2.0f;
    case kDlyInv:
      return delaySign.load(kRelaxed) < 0.0f;
    case kHiCut:
      return hiCutOn.load(kRelaxed);
    case kFbInv:
      return feedbackSign.load(kRelaxed) < 0.0f;
    case kRptInf:
      return repeatOn.load(kRelaxed);
    default:
      return powerOn.load(kRelaxed);
  }
}

void Zel::getParameterDisplay(VstInt32 index, char* text) {
  if (index < 0 || index >= kNumZelParameters) {
    CPresetSystemEffect::getParameterDisplay(index, text);
    return;
  }
  DisplayState live;
  live.delayMs = delayTimeMs.load(kRelaxed);
  live.on = isOn(index);
  live.rateHz = rateHz.load(kRelaxed);
  live.clockSync = clockSyncOn.load(kRelaxed);
  live.numIndex = numIndex.load(kRelaxed);
  live.denIndex = denIndex.load(kRelaxed);
  writeDisplay(index, values[index].load(kRelaxed), live, text);
}

void Zel::getParameterDisplayOf(VstInt32 index, float value, char* text) {
  if (index < 0 || index >= kNumZelParameters || !std::isfinite(value)) {
    getParameterDisplay(index, text);
    return;
  }
  // What the display would show had the parameter this value.
  const float v = std::clamp(value, 0.0f, 1.0f);
  DisplayState would;
  would.delayMs = kMaxDelayMs * v;
  would.on = switchOn(v);
  would.rateHz = rateOf(v);
  would.clockSync = switchOn(v);
  would.numIndex = stepIndex(v, kNumeratorSteps);
  would.denIndex = stepIndex(v, kDenominatorSteps);
  writeDisplay(index, v, would, text);
}

void Zel::writeDisplay(VstInt32 index, float v, const DisplayState& state, char* text) {
  switch (kParameterTable[index].display) {
    case DisplayKind::Gain:
      dB2string(gainOf(v), text, kDisplayLength);
      break;
    case DisplayKind::MixShares: {
      const int direct = static_cast<int>((1.0f - v) * 100.0f);
      if (direct == 100) {
        copyText(text, "dry");
      } else if (direct == 0) {
        copyText(text, "wet");
      } else {
        writeShares(text, direct, 100 - direct, kDisplayLength);
      }
      break;
    }
    case DisplayKind::DelayTime: {
      // Rounds half up, as the display always has; lround would differ for negatives only.
      // NOLINTNEXTLINE(bugprone-incorrect-roundings)
      const auto ms = static_cast<VstInt32>(state.delayMs + 0.5f);
      int2string(ms, text, kDisplayLength);
    } break;
    case DisplayKind::OnOff:
      copyText(text, state.on ? "on" : "off");
      break;
    case DisplayKind::FeedbackGain:
      dB2string(v, text, kDisplayLength);
      break;
    case DisplayKind::ClockRatio:
      float2string(v + 0.5f, text, kDisplayLength);
      break;
    case DisplayKind::Percent:
      int2string(static_cast<VstInt32>(v * 100.0f), text, kDisplayLength);
      break;
    case DisplayKind::WaveBlend:
      if (v <= 0.0f) {
        copyText(text, "sin");
      } else if (v < 0.5f) {
        writeShares(text, static_cast<int>(100.0f - 200.0f * v), static_cast<int>(200.0f * v),
                    kDisplayLength);
      } else if (v == 0.5f) {
        copyText(text, "env");
      } else if (v < 1.0f) {
        writeShares(text, static_cast<int>(200.0f - 200.0f * v),
                    static_cast<int>(200.0f * v - 100.0f), kDisplayLength);
      } else {
        copyText(text, "sqr");
      }
      break;
    case DisplayKind::RateHz:
      float2string(state.rateHz, text, kDisplayLength);
      break;
    case DisplayKind::SyncMode:
      copyText(text, state.clockSync ? "clk" : "dly");
      break;
    case DisplayKind::Numerator:
      writeNote(text, numeratorTable[state.numIndex], kDisplayLength);
      break;
    case DisplayKind::Denominator:
      writeNote(text, denominatorTable[state.denIndex], kDisplayLength);
      break;
  }
}

// Only the switches, the note lengths and the delay time have more to say
// than the host already knows. The record is cleared first and carries the
// name, since some hosts read every field of a record answered true.
bool Zel::getParameterProperties(VstInt32 index, VstParameterProperties* p) {
  if (index < 0 || index >= kNumZelParameters) {
    return false;
  }
  const ParameterRow& row = kParameterTable[index];
  if (row.kind == ParameterKind::Continuous && row.hostStep == 0.0f) {
    return false;
  }
  *p = VstParameterProperties{};
  valuetext::copyLimited(row.name, p->label, kVstMaxLabelLen - 1);
  valuetext::copyLimited(row.shortName, p->shortLabel, kVstMaxShortLabelLen - 1);
  switch (row.kind) {
    case ParameterKind::Continuous:
      p->stepFloat = row.hostStep;
      p->smallStepFloat = row.hostStep;
      p->flags = kVstParameterUsesFloatStep;
      break;
    case ParameterKind::Switch:
      // Marked as switches with an integer range 0..1, so hosts show them as such.
      p->flags = kVstParameterIsSwitch | kVstParameterUsesIntegerMinMax | kVstParameterUsesIntStep;
      p->minInteger = 0;
      p->maxInteger = 1;
      p->stepInteger = 1;
      p->largeStepInteger = 1;
      break;
    case ParameterKind::Stepped:
      // Counted from 1, unmarked (no flag makes hosts read them). Den has
      // always said 14, one past its count; hosts may have kept that.
      p->minInteger = 1;
      p->stepInteger = 1;
      p->maxInteger = row.steps + (index == kDen ? 1 : 0);
      break;
  }
  return true;
}
