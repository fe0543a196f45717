// The plug-in's editor window: 870 × 101 pixels of bitmaps that look like the
// unit's front panel, with a control for each of the parameters 0 to 15, the
// delay display with its lamps, the headroom meter, the bypass and modulation
// lamps, the step buttons and drag areas that set the delay time (or, in clock
// mode, the tempo and note length), and the about hotspot. The preset panel
// along the bottom strip is the base class's.
//
// Threads: everything runs on the host's UI thread, but setParameter, which
// the effect calls from whatever thread changed the value.
#pragma once

#include <atomic>
#include <cstdint>

#include "presets/presetsystemeditor.h"

class Zel;
struct EngineStatus;

class Editor : public CPresetSystemEditor {
 public:
  explicit Editor(Zel* effect);
  ~Editor() override;
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  bool open(void* parentWindow) override;  // UI
  void close() override;                   // UI
  // UI. One pass of the display, lamps, meter and controller display
  // (replaces the base class's idle).
  void idle() override;
  // Any thread (MIDI on the audio thread, automation): it only notes the
  // change, which the next idle pass (or the editor's own action) shows.
  void setParameter(VstInt32 index, float value) override;
  void valueChanged(CControl* control) override;  // UI

  // The digit display: a whole number of up to four digits, or nothing
  // (virtual so that a derived editor can watch what it shows).
  virtual void showNumber(float value);
  virtual void blankDisplay();

  // The control with this tag while the window is open (tags 0 to 32), or null.
  CControl* getControl(int32_t tag) const;

  static constexpr int32_t kNumTags = kFirstPanelTag;

 private:
  // Changes that the editor makes itself, reported to the host, and shown at once.
  void automate(int32_t index, float value);
  // The same inside one edit gesture, for the values the editor computes.
  void editParameter(int32_t index, float value);
  void applyParameterChanges();
  void setDragAreas(float value);
  float getParameter(int32_t index) const;
  bool isOn(int32_t index) const;

  // Delay-time controls and the infinite-repeat lock.
  void modeSwitched(CControl* control);
  void stepPressed(CControl* control);
  void dragAreaMoved(CControl* control);

  // The drag areas stand for DlyTime.
  int32_t parameterOf(const CControl& control) const override;

  // Display, lamps and meter.
  void updateDisplay(uint32_t now, const EngineStatus& status);
  void showNoteLength(int numerator, int denominator);
  void updateMeter(uint32_t now, const EngineStatus& status);
  void setDigit(int digit, int image);
  bool digitsExist() const;

  Zel* zel;
  CControl* controls[kNumTags] = {};

  // Parameter changes noted by setParameter: one bit per parameter 0 to 15,
  // and the value for the drag areas that the last DlyTime change gives.
  std::atomic<uint32_t> changedParameters{0};
  std::atomic<float> changedDragAreaValue{0.0f};

  // Display state; tick times in milliseconds.
  bool showingTempo = false;
  uint32_t tempoShownSince;
  bool showingSetDelay = false;
  uint32_t setDelayShownSince;
  bool blinkBlank = false;
  uint32_t blinkToggledAt;
  uint32_t lastIdleTime;
  const float meterFloor;
  const float meterFallTime = 500.0f;
};

// The plug-in's editor for an effect, as the module installs it.
AEffEditor* createEditor(Zel* effect);
