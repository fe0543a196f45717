// The preset-system base of the effect: 17 programs as the live state, the
// host chunk and the MIDI controller assignment.
//
// Threads: "any" entries may come from the host's audio thread, its UI thread
// or an automation thread at once; "UI" entries come from the host's UI thread
// (dispatcher opcodes, the editor); "audio" from the audio thread. Program
// values, the current program and the controller table are atomics; names
// are written and read on the UI thread only.
#pragma once

#include <atomic>

#include "../host/audioeffectx.h"
#include "program.h"

class CPresetSystemEditorLink;

constexpr VstInt32 kUnassigned = 999;
constexpr int kNumControllers = 128;
constexpr VstInt32 kChunkSize = 1736;

class CPresetSystemEffect : public AudioEffectX {
 public:
  explicit CPresetSystemEffect(audioMasterCallback audioMaster);
  ~CPresetSystemEffect() override;

  void resume() override;                                   // UI
  void setParameter(VstInt32 index, float value) override;  // any
  float getParameter(VstInt32 index) override;              // any
  void getParameterDisplay(VstInt32 index, char* text) override;
  VstInt32 getProgram() override { return 0; }
  void setProgram(VstInt32 /*program*/) override {}
  void setProgramName(char* name) override;  // UI
  void getProgramName(char* name) override;  // UI
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  VstInt32 getChunk(void** data, bool isPreset) override;                    // UI
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;  // UI
  VstInt32 processEvents(VstEvents* events) override;                        // audio
  VstInt32 canDo(char* text) override;

  virtual VstInt32 getCurrentProgramIndex() { return currentProgram.load(); }
  // UI. Applies every value of the program, then tells the host what moved.
  virtual void selectProgram(VstInt32 index);
  virtual void renameCurrentProgram(const char* name);  // UI
  // Controller assignment: any thread; each change is one atomic step per controller.
  virtual void assignController(VstInt32 parameter, VstInt32 controller);
  virtual void unassignParameter(VstInt32 parameter);
  virtual void unassignController(VstInt32 controller);
  virtual VstInt32 getControllerForParameter(VstInt32 parameter);
  virtual VstInt32 getParameterForController(VstInt32 controller);
  virtual bool takeChangeFlag();
  // Learn and unassign modes: set on the UI thread, taken by MIDI or the next parameter.
  virtual void startLearn();
  virtual void stopLearn();
  virtual void setLearnTarget(VstInt32 parameter);
  virtual void startUnassign();
  virtual void stopUnassign();
  virtual VstInt32 getUniqueId() { return cEffect.uniqueID; }
  virtual void loadStoredDefaults();  // UI
  virtual void makeFactoryPresets();
  virtual void makeDefaultControllerMap();

  // Read access for the editor side (UI thread: names; values
  // read here may be moved by MIDI at the same time, so copy them with
  // copyProgram for anything kept or written out).
  const Program* getPrograms() const { return programs; }
  Program copyProgram(VstInt32 index) const;
  // The editor side loads a program's name and values from a record; the
  // engine takes them when the program is selected. UI.
  void replaceProgram(VstInt32 index, const Program& program);
  // UI. The controller values of a MIDI-settings record, bound as one load.
  void loadControllerValues(const float (&values)[kNumEffectParams]);
  bool isLearnActive() const { return learnActive; }
  bool isUnassignActive() const { return unassignActive; }

 protected:
  // The 36 values as the host sees them, read before a change made inside the
  // plug-in, so that the host can be told of each value the change moved.
  struct HostValues {
    float value[kNumHostParams];
  };
  HostValues readHostValues();
  // Tells the host of every value that differs from `before`, except `skip`
  // (the one the host itself has just set), as moved by `cause`. Callers on
  // the UI thread then ask the host to refresh its display.
  void tellHostOfChanges(const HostValues& before, ChangeCause cause, VstInt32 skip = -1);
  // Tells the host of one value it did not set, and why.
  void tellHost(ChangeCause cause, VstInt32 index, float value);
  // Set by the finished effect: a host cannot hear of values of an effect it does not hold yet.
  std::atomic<bool> hostHoldsEffect{false};
  // True while a program's values go to the engine: what they move is told
  // once the load is done, not value by value.
  std::atomic<bool> applyingProgram{false};
  // Sends a program's values to the engine. The base has no engine.
  virtual void applyProgram(const float (&/*values*/)[kNumEffectParams]) {}
  // Stores a value into the program current when the store completes, so that
  // a value set during a program change never lands in the program left.
  void storeProgramValue(VstInt32 index, float value);

  Program* programs = nullptr;
  std::atomic<VstInt32> currentProgram{0};
  unsigned char* chunkBuffer = nullptr;
  // The one controller table: the parameter each controller drives. A
  // parameter's controller is found by looking it up, so there is no second
  // table that could disagree.
  std::atomic<VstInt32>* parameterOfController = nullptr;
  // Set on the editor's thread, read and cleared by MIDI on the audio thread.
  std::atomic<bool> learnActive{false};
  std::atomic<VstInt32> learnTarget{kUnassigned};
  std::atomic<bool> unassignActive{false};
  // The value the host last set for each controller parameter (18 to 35).
  std::atomic<float> midiParameterValues[kNumEffectParams] = {};
  std::atomic<bool> changeFlag{false};

 private:
  bool tablesExist() const;
  CPresetSystemEditorLink* presetEditor();
  void bindController(VstInt32 parameter, VstInt32 controller);
  void setControllerValue(VstInt32 parameter, float value);
  void setControllerValues(const float (&values)[kNumEffectParams]);
  void selectProgramValues(VstInt32 index);
};
