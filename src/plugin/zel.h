// The effect: a stereo delay whose memory is stepped by a variable clock.
// Zel maps parameters to engine controls, talks to the host, and runs the
// DelayEngine on the audio thread. Controls written from one thread and read
// from another are relaxed atomics; a request to the audio thread is published
// (release) after the values it announces and taken (acquire) before they are
// read. Threads of each entry: audio, UI (the host's UI thread and the
// editor), or any. docs/threading.md tells the whole.
#pragma once

#include <atomic>

#include "../presets/presetsystemeffect.h"
#include "engine/delayengine.h"
#include "plugin/editorfactory.h"
#include "plugin/handover.h"
#include "plugin/parametertable.h"

// The programs keep one value of each of the effect's parameters.
static_assert(kNumZelParameters == kNumEffectParams);

struct EngineStatus {
  float oscillatorPhase;  // radians
  float peakLevel;        // half the peak of |L| + |R| since the last read
  int effectiveDelayMs;   // delay heard, with the clock's period
  int nominalDelayMs;     // delay set
  bool cycleIndicator;
};

class Zel : public CPresetSystemEffect {
 public:
  // The editor comes from `editorFactory` (null: the effect has none).
  explicit Zel(audioMasterCallback audioMaster, EditorFactory editorFactory = nullptr);
  ~Zel() override;

  void suspend() override;                     // UI, audio stopped
  void resume() override;                      // UI, audio stopped
  void setSampleRate(float newRate) override;  // UI, also while blocks play
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;  // audio
  void setParameter(VstInt32 index, float value) override;                                 // any
  void setParameterAutomated(VstInt32 index, float value) override;                        // UI
  float getParameter(VstInt32 index) override;                                             // any
  void getParameterLabel(VstInt32 index, char* label) override;
  void getParameterDisplay(VstInt32 index, char* text) override;
  void getParameterDisplayOf(VstInt32 index, float value, char* text) override;
  void getParameterName(VstInt32 index, char* text) override;
  bool getParameterProperties(VstInt32 index, VstParameterProperties* p) override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;

  void updateSyncedDelay();           // any
  void setTempoFromControl(float v);  // UI
  float getTempo() const { return tempoBpm.load(std::memory_order_relaxed); }
  // Any. The last block took its tempo from the host, which then overrides
  // the editor's tempo control.
  bool tempoFromHost() const { return hostGivesTempo.load(std::memory_order_relaxed); }
  // UI. Reading the status hands the peak reset and the indicator's clearing
  // to the audio thread.
  EngineStatus getEngineStatus();
  void setAntiAliasCutoff(float fc);

 private:
  // Tests read the derived controls below through it; nothing else does.
  friend class ZelProbe;

  template <typename T>
  using Shared = std::atomic<T>;

  // What a display text depends on besides the value itself.
  struct DisplayState {
    float delayMs;
    bool on;
    float rateHz;
    bool clockSync;
    int numIndex;
    int denIndex;
  };
  void writeDisplay(VstInt32 index, float v, const DisplayState& state, char* text);

  void applyProgram(const float (&programValues)[kNumEffectParams]) override;
  void applyValue(VstInt32 index, float value);
  void applyParameter(VstInt32 index, float value);
  void postSampleRate(int rate);
  void takeSampleRate();
  float doublingCutoff(bool doubled, int limitRate) const;
  float oscillatorIncrement(float hz) const;
  BlockSettings snapshot() const;
  bool isOn(VstInt32 index) const;
  void readHostTime(VstInt32 sampleFrames);

  // Kept values of the 18 parameters.
  Shared<float> values[kNumZelParameters];

  // Derived controls.
  Shared<float> inputGainTarget{1.0f};
  Shared<float> outputGainTarget{1.0f};
  Shared<float> delayTimeMs{0.0f};
  Shared<bool> delayChanged{false};
  Shared<float> doublingFactor{1.0f};
  Shared<float> delaySign{1.0f};
  Shared<float> feedbackSign{1.0f};
  Shared<bool> hiCutOn{false};
  Shared<bool> powerOn{true};
  Shared<bool> squareWave{true};
  Shared<bool> repeatOn{false};
  Shared<bool> clockSyncOn{false};
  Shared<float> manualClock{1.0f};
  Shared<float> clockPeriod{1.0f};
  Shared<float> lfoAmount{0.0f};
  Shared<float> envelopeAmount{1.0f};
  Shared<float> rateHz{0.1f};
  Shared<float> lfoIncrement{0.0f};
  Shared<int> numIndex{0};
  Shared<int> denIndex{0};
  Shared<bool> repeatEngaged{false};
  Shared<float> antiAliasCutoff{14000.0f};

  // Tempo and position.
  Shared<float> tempoBpm{120.0f};
  Shared<bool> hostGivesTempo{false};
  float songPositionBeats = 0.0f;

  // Status for the editor, and the requests it hands to the audio thread.
  Shared<float> publishedPhase{0.0f};
  Shared<float> publishedPeak{0.0f};
  Shared<bool> publishedIndicator{false};
  Shared<bool> peakResetRequested{false};
  Shared<bool> indicatorAcknowledged{false};

  // A sample rate's memory on its way to the audio thread, which takes it at
  // the start of its next block.
  struct RateChange {
    explicit RateChange(int rate) : memory(rate) {}
    DelayEngine::RateMemory memory;
    RateChange* next = nullptr;
  };

  Shared<int> engineRate{44100};  // the rate in use, or the one posted
  bool switchedOn = false;        // UI
  float engineCutoff = 0.0f;      // the cutoff the engine's filter was designed for
  DelayEngine engine;
  Handover<RateChange> rateChanges;
};

// A new effect for a host that answers its version, or null.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster,
                                  EditorFactory editorFactory = nullptr);
// The effect through the host's entry point: its record, or null.
AEffect* effectEntry(audioMasterCallback audioMaster, EditorFactory editorFactory = nullptr);
