#include "zel.h"

#include <cmath>
#include <cstring>
#include <new>
#include <string>

#include "../host/aeffeditor.h"
#include "../host/pluginentry.h"
#include "common/identity.h"

static_assert(std::char_traits<char>::length(kOndexProduct) == 63);
static_assert(std::char_traits<char>::length(kOndexEffectName) <= kVstMaxEffectNameLen);

namespace {

constexpr int kDefaultRate = 44100;
constexpr int kLowestRate = 5000;
constexpr int kHighestRate = 200000;
constexpr auto kRelaxed = std::memory_order_relaxed;

// Integer part of a float, with non-finite and out-of-range values held to 0
// and the int range, so that no host value can make the conversion undefined.
int integerPart(float x) {
  if (!(std::fabs(x) < 2.0e9f)) {
    return std::isnan(x) ? 0 : (x > 0 ? 2000000000 : -2000000000);
  }
  return static_cast<int>(x);
}

// A host rate outside the range the engine is made for runs at 44.1 kHz.
int usableRate(float hostRate) {
  const int rate = integerPart(hostRate);
  return rate < kLowestRate || rate > kHighestRate ? kDefaultRate : rate;
}

}  // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster, EditorFactory editorFactory) {
  if (!hostIsUsable(audioMaster)) {
    return nullptr;
  }
  return new (std::nothrow) Zel(audioMaster, editorFactory);
}

AEffect* effectEntry(audioMasterCallback audioMaster, EditorFactory editorFactory) {
  return pluginEntry(audioMaster, [editorFactory](audioMasterCallback host) {
    return createEffectInstance(host, editorFactory);
  });
}

Zel::Zel(audioMasterCallback audioMaster, EditorFactory editorFactory)
    : CPresetSystemEffect(audioMaster) {
  setNumInputs(2);
  setNumOutputs(2);
  setUniqueID(kOndexUniqueId);
  canProcessReplacing(true);

  // Held until program 0 applies just below, and where a program's value is no number.
  for (int i = 0; i < kNumZelParameters; ++i) {
    values[i].store(kParameterTable[i].initialValue, kRelaxed);
  }
  lfoIncrement.store(oscillatorIncrement(0.1f), kRelaxed);  // Rate 0 at 44.1 kHz
  tempoBpm.store(120.0f, kRelaxed);
  updateSyncedDelay();

  engineRate.store(kDefaultRate, kRelaxed);
  engine.prepare(kDefaultRate);
  engine.seat(delayTimeMs.load(kRelaxed));
  delayChanged.store(false, kRelaxed);
  engine.reset();

  if (AEffEditor* created = editorFactory != nullptr ? editorFactory(this) : nullptr) {
    setEditor(created);
  }
  loadStoredDefaults();
  selectProgram(0);
  hostHoldsEffect.store(true);
}

// An editor still open is closed while the effect is whole: closing may reach
// back into the effect. The base class deletes the editor.
Zel::~Zel() {
  if (editor != nullptr) {
    editor->close();
  }
}

// UI: a memory for the rate, and the controls that follow the rate, made
// here where allocating is allowed; the engine takes it at its next block.
void Zel::postSampleRate(int rate) {
  auto* change = new (std::nothrow) RateChange(rate);
  if (change == nullptr) {
    return;  // the rate in use stays; switching on asks again
  }
  engineRate.store(rate, kRelaxed);
  lfoIncrement.store(oscillatorIncrement(rateHz.load(kRelaxed)), kRelaxed);
  setAntiAliasCutoff(doublingCutoff(doublingFactor.load(kRelaxed) == 2.0f, 30000));
  rateChanges.post(change);
}

// Audio, or UI while the audio is stopped: installs a posted rate between
// blocks, where nothing reads the engine.
void Zel::takeSampleRate() {
  RateChange* change = rateChanges.take();
  if (change == nullptr) {
    return;
  }
  engine.install(change->memory);
  engine.seat(delayTimeMs.load(kRelaxed));
  engineCutoff = 0.0f;  // the filter is designed for the new rate at the block's start
  rateChanges.giveBack(change);
}

// Radians per sample of an oscillator at hz: 2 pi over its period in samples.
float Zel::oscillatorIncrement(float hz) const {
  const float period = static_cast<float>(engineRate.load(kRelaxed)) / hz;
  return dsp::ModulationClock::kTwoPi / period;
}

// Cutoff of the anti-alias filter: 6 kHz doubled, 14 kHz otherwise, scaled
// down with the rate at low sample rates.
float Zel::doublingCutoff(bool doubled, int limitRate) const {
  const int engineRate = this->engineRate.load(kRelaxed);
  const auto rate = static_cast<float>(engineRate);
  if (engineRate <= limitRate) {
    return doubled ? rate * 6.0f / 44.1f : rate * 14.0f / 44.1f;
  }
  return doubled ? 6000.0f : 14000.0f;
}

void Zel::setAntiAliasCutoff(float fc) { antiAliasCutoff.store(fc, kRelaxed); }

void Zel::suspend() {
  switchedOn = false;
  takeSampleRate();  // one given while on that no block took
  rateChanges.freeReturned();
  engine.settleControls(snapshot());
  engine.seat(delayTimeMs.load(kRelaxed));
  delayChanged.store(false, kRelaxed);
  engine.reset();
}

void Zel::resume() {
  CPresetSystemEffect::resume();
  songPositionBeats = 0.0f;
  takeSampleRate();
  const int rate = usableRate(getSampleRate());
  // A memory that could not be had is asked for again at every switch-on.
  if (rate != engine.sampleRate() || !engine.ready()) {
    postSampleRate(rate);
    takeSampleRate();
    delayChanged.store(false, kRelaxed);  // seated with the time in force
  }
  rateChanges.freeReturned();
  engine.reset();
  switchedOn = true;
}

// Some hosts (Audacity for one) give the rate only after switching on; it is
// heard from the next block on, not from the next switch-on.
void Zel::setSampleRate(float newRate) {
  CPresetSystemEffect::setSampleRate(newRate);
  rateChanges.freeReturned();
  const int rate = usableRate(newRate);
  if (switchedOn && rate != engineRate.load(kRelaxed)) {
    postSampleRate(rate);
  }
}

void Zel::updateSyncedDelay() {
  float v =
      noteLengthMs(numIndex.load(kRelaxed), denIndex.load(kRelaxed), tempoBpm.load(kRelaxed)) /
      kMaxDelayMs;
  if (v > 1.0f) {
    v = 1.0f;
  }
  if (repeatOn.load(kRelaxed)) {
    return;  // the loop keeps its length; the time follows when it releases
  }
  const float was = values[kDlyTime].exchange(v, kRelaxed);
  delayTimeMs.store(kMaxDelayMs * v, kRelaxed);
  delayChanged.store(true, std::memory_order_release);  // after the time it announces
  if (clockSyncOn.load(kRelaxed)) {
    storeProgramValue(kDlyTime, v);  // the program holds the time heard
  }
  // The tempo, Num or Den moved the time, not the host: its copy learns of it
  // here. A load tells of every value it moved once it is done.
  if (was != v && !applyingProgram.load(kRelaxed)) {
    tellHost(ChangeCause::kMoved, kDlyTime, v);
  }
}

void Zel::setTempoFromControl(float v) {
  float tempo = kHighestTempo * v;
  if (!(tempo >= kLowestTempo)) {
    tempo = kLowestTempo;
  }
  if (tempo != tempoBpm.load(kRelaxed)) {
    tempoBpm.store(tempo, kRelaxed);
    updateSyncedDelay();
  }
}

void Zel::readHostTime(VstInt32 sampleFrames) {
  bool hostTempo = false;
  if (const VstTimeInfo* info = getTimeInfo(kVstTempoValid)) {
    float tempo = static_cast<float>(info->tempo);
    if (tempo < kLowestTempo) {
      tempo = kLowestTempo;
    } else if (tempo > kHighestTempo) {
      tempo = kHighestTempo;
    }
    // A tempo that is no number keeps the one we have.
    hostTempo = !std::isnan(tempo);
    if (hostTempo && tempo != tempoBpm.load(kRelaxed)) {
      tempoBpm.store(tempo, kRelaxed);
      if (clockSyncOn.load(kRelaxed)) {
        updateSyncedDelay();
      }
    }
  }
  hostGivesTempo.store(hostTempo, kRelaxed);
  if (const VstTimeInfo* info = getTimeInfo(kVstPpqPosValid)) {
    const auto ppq = static_cast<float>(info->ppqPos);
    songPositionBeats = std::isfinite(ppq) ? ppq : 0.0f;
  } else {
    songPositionBeats += static_cast<float>(sampleFrames) * tempoBpm.load(kRelaxed) /
                         (static_cast<float>(engineRate.load(kRelaxed)) * 60.0f);
  }
}

BlockSettings Zel::snapshot() const {
  BlockSettings s;
  s.inputGainTarget = inputGainTarget.load(kRelaxed);
  s.outputGainTarget = outputGainTarget.load(kRelaxed);
  s.mix = values[kMix].load(kRelaxed);
  s.feedback = values[kFbck].load(kRelaxed);
  s.depth = values[kDepth].load(kRelaxed);
  s.delaySign = delaySign.load(kRelaxed);
  s.feedbackSign = feedbackSign.load(kRelaxed);
  s.hiCutOn = hiCutOn.load(kRelaxed);
  s.powerOn = powerOn.load(kRelaxed);
  s.repeatOn = repeatOn.load(kRelaxed);
  s.clock.lfoAmount = lfoAmount.load(kRelaxed);
  s.clock.envelopeAmount = envelopeAmount.load(kRelaxed);
  s.clock.squareWave = squareWave.load(kRelaxed);
  s.clock.lfoIncrement = lfoIncrement.load(kRelaxed);
  s.clock.manualClock = manualClock.load(kRelaxed);
  s.clock.doublingFactor = doublingFactor.load(kRelaxed);
  s.delayTimeMs = delayTimeMs.load(kRelaxed);
  return s;
}

void Zel::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  takeSampleRate();
  const bool rightInput = isInputConnected(1);
  const bool rightOutput = isOutputConnected(1);
  readHostTime(sampleFrames);

  const float cutoff = antiAliasCutoff.load(kRelaxed);
  if (cutoff != engineCutoff) {
    engineCutoff = cutoff;
    engine.setAntiAliasCutoff(cutoff);
  }

  // Requests are taken before the values they announce are read, so a request
  // is never taken with the value before it (the writers publish it after).
  const bool delayRequest =
      sampleFrames > 0 && delayChanged.exchange(false, std::memory_order_acquire);
  BlockSettings s = snapshot();
  const float rate = static_cast<float>(engineRate.load(kRelaxed));
  const float tempo = tempoBpm.load(kRelaxed);
  s.cycleLength = integerPart(s.delayTimeMs * rate / 1000.0f);
  const float beatsPerCycle = s.delayTimeMs * tempo / 60000.0f;
  if (beatsPerCycle > 0.0f) {
    const float cycles = static_cast<float>(integerPart(songPositionBeats / beatsPerCycle));
    s.cyclePosition =
        integerPart((songPositionBeats - cycles * beatsPerCycle) * rate * 60.0f / tempo);
  }
  s.repeatEngaged = repeatEngaged.load(kRelaxed);
  if (sampleFrames > 0) {
    s.delayChanged = delayRequest;
    s.resetPeak = peakResetRequested.exchange(false, kRelaxed);
    s.acknowledgeIndicator = indicatorAcknowledged.exchange(false, kRelaxed);
  }

  const float* inL = inputs[0];
  const float* inR = rightInput ? inputs[1] : inputs[0];
  float* outR = rightOutput ? outputs[1] : nullptr;
  const BlockResult result =
      engine.process(inL, inR, outputs[0], outR, sampleFrames < 0 ? 0 : sampleFrames, s);

  if (result.repeatEngagedAtBoundary && repeatOn.load(kRelaxed)) {
    repeatEngaged.store(true, kRelaxed);
  }
  clockPeriod.store(result.clockPeriod, kRelaxed);
  publishedPhase.store(result.oscillatorPhase, kRelaxed);
  publishedPeak.store(result.peakLevel, kRelaxed);
  publishedIndicator.store(result.cycleIndicator, kRelaxed);
}

EngineStatus Zel::getEngineStatus() {
  EngineStatus status{};
  status.oscillatorPhase = publishedPhase.load(kRelaxed);
  status.peakLevel = publishedPeak.load(kRelaxed) * 0.5f;
  peakResetRequested.store(true, kRelaxed);
  const float ms = delayTimeMs.load(kRelaxed);
  status.effectiveDelayMs = integerPart(clockPeriod.load(kRelaxed) * ms + 0.5f);
  status.nominalDelayMs = integerPart(ms + 0.5f);
  status.cycleIndicator = publishedIndicator.load(kRelaxed);
  indicatorAcknowledged.store(true, kRelaxed);
  return status;
}

bool Zel::getEffectName(char* name) {
  std::strcpy(name, kOndexEffectName);  // NOLINT: fixed text within the host's 32 bytes
  return true;
}

bool Zel::getVendorString(char* text) {
  std::strcpy(text, kOndexVendor);  // NOLINT: fixed text within the host's 64 bytes
  return true;
}

bool Zel::getProductString(char* text) {
  std::strcpy(text, kOndexProduct);  // NOLINT: fixed text within the host's 64 bytes
  return true;
}
