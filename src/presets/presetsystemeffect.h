// The preset-system base of the effect: 17 programs as the live state, the
// host chunk and the MIDI controller assignment.
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

  void resume() override;
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  void getParameterDisplay(VstInt32 index, char* text) override;
  VstInt32 getProgram() override { return 0; }
  void setProgram(VstInt32 /*program*/) override {}
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  VstInt32 getChunk(void** data, bool isPreset) override;
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
  VstInt32 processEvents(VstEvents* events) override;
  VstInt32 canDo(char* text) override;

  virtual VstInt32 getCurrentProgramIndex() { return currentProgram; }
  virtual void selectProgram(VstInt32 index);
  virtual void renameCurrentProgram(const char* name);
  virtual void assignController(VstInt32 parameter, VstInt32 controller);
  virtual void unassignParameter(VstInt32 parameter);
  virtual void unassignController(VstInt32 controller);
  virtual VstInt32 getControllerForParameter(VstInt32 parameter);
  virtual VstInt32 getParameterForController(VstInt32 controller);
  virtual bool takeChangeFlag();
  virtual void startLearn();
  virtual void stopLearn();
  virtual void setLearnTarget(VstInt32 parameter);
  virtual void startUnassign();
  virtual void stopUnassign();
  virtual VstInt32 getUniqueId() { return cEffect.uniqueID; }
  virtual void loadStoredDefaults();
  virtual void makeFactoryPresets();
  virtual void makeDefaultControllerMap();

  // Read access for the editor side and for tests.
  const Program* getPrograms() const { return programs; }
  // The editor side loads a program's name and values from a record; the
  // engine takes them when the program is selected.
  void replaceProgram(VstInt32 index, const Program& program);
  bool isLearnActive() const { return learnActive; }
  bool isUnassignActive() const { return unassignActive; }
  VstInt32 getLearnTarget() const { return learnTarget; }

 protected:
  Program* programs = nullptr;
  VstInt32 currentProgram = 0;
  unsigned char* chunkBuffer = nullptr;
  VstInt32* controllerOfParameter = nullptr;
  VstInt32* parameterOfController = nullptr;
  // Set on the editor's thread, read and cleared by MIDI on the audio thread.
  std::atomic<bool> learnActive{false};
  std::atomic<VstInt32> learnTarget{kUnassigned};
  std::atomic<bool> unassignActive{false};
  std::atomic<bool> selectingProgram{false};
  float midiParameterValues[kNumEffectParams] = {};
  bool changeFlag = false;

 private:
  bool tablesExist() const;
  CPresetSystemEditorLink* presetEditor();
  void bindController(VstInt32 parameter, VstInt32 controller);
};
