// The preset-system base of the plug-in's editor: the preset panel along the
// window's bottom strip, the preset, bank and MIDI-settings records it reads
// and writes, and what the effect asks of its editor (the link).
// Threads: the host's UI thread, but the link's clearing of the learn and
// unassign buttons, which MIDI may ask for on the audio thread (see below).
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "gui/aeffguieditor.h"
#include "gui/ccontrol.h"
#include "gui/cfileselector.h"
#include "presets/filekinds.h"
#include "presets/presetsystemeditorlink.h"
#include "presets/rememberedlocations.h"

class COptionMenu;
class CParamDisplay;
class CPresetSystemEffect;
class CTextEdit;

class CPresetSystemEditor : public AEffGUIEditor,
                            public CControlListener,
                            public CPresetSystemEditorLink {
 public:
  // The panel's controls have tags from this one up (to 51); the derived
  // editor's own stay below it.
  static constexpr int32_t kFirstPanelTag = 33;

  explicit CPresetSystemEditor(CPresetSystemEffect* effect);
  ~CPresetSystemEditor() override;
  CPresetSystemEditor(const CPresetSystemEditor&) = delete;
  CPresetSystemEditor& operator=(const CPresetSystemEditor&) = delete;

  // Records the parent window and adds the panel to the frame that the
  // derived editor has made in it; false without a frame or an effect.
  bool open(void* window) override;
  // Forgets the panel's controls, then closes the frame, which destroys them.
  void close() override;
  // The toolkit's idle, then the controller display.
  void idle() override;
  // The panel's own tags, from kFirstPanelTag; every other tag is the derived editor's.
  void valueChanged(CControl* control) override;
  // Edit gestures reach the host for the effect's parameters only: the
  // window's other controls (tags 19 and up) stand for no parameter.
  void beginEdit(int32_t index) override;
  void endEdit(int32_t index) override;

  // What the effect asks of its editor, and the file records. The learn and unassign
  // buttons may be cleared from the audio thread (MIDI learn): that only
  // leaves a request which the next idle pass carries out.
  void clearLearnButton() override;
  void clearUnassignButton() override;
  void showProgramName(const char* name) override;
  void readStoredDefaults() override;
  virtual void readBank(const void* buffer, bool reversed);
  virtual void writeBank(void* buffer);
  virtual void readPreset(const void* buffer, bool reversed);
  virtual void writePreset(void* buffer);
  virtual void readMidiSettings(const void* buffer, bool reversed);
  virtual void writeMidiSettings(void* buffer);

 protected:
  // The parameter that a control stands for (its tag, unless the derived
  // editor knows better); the controller display shows its MIDI controller.
  virtual int32_t parameterOf(const CControl& control) const;
  // The controller display shows the MIDI controller of this parameter (0 to
  // 17), or nothing for any other number.
  void showControllerOf(int32_t parameter);
  // Requests left by another thread, carried out on the editor's thread.
  void applyPanelRequests();

  CPresetSystemEffect* presetEffect;
  // The panel's controls, owned by the frame while the window is open.
  CTextEdit* nameField = nullptr;
  COptionMenu* programList = nullptr;
  CParamDisplay* controllerDisplay = nullptr;
  CControl* learnButton = nullptr;
  CControl* unassignButton = nullptr;

 private:
  // Panel actions.
  void chooseProgram(VstInt32 index);
  // The program list and the name field show the programs as they are, also
  // after the host restored a chunk or renamed a program.
  void followPrograms();
  void renameFromNameField();
  // Files: a dialog, then the whole file read into a record or written from one.
  void loadFile(FileKind kind, bool reversed);
  void saveFile(FileKind kind);
  void chooseFile(CNewFileSelector::Style style, const char* title, FileKind kind,
                  std::function<void(const std::string& path)> chosen);
  // The record operation of each kind, for files and the store alike.
  void readRecord(FileKind kind, const void* buffer, bool reversed);
  void writeRecord(FileKind kind, void* buffer);
  // The per-user store; true when the value was written or removed.
  bool storeRecord(const char* value, FileKind kind);
  void recallRecord(const char* value, FileKind kind);
  bool forgetRecord(const char* value);
  // A store or removal that took place shows on the button that made it.
  void confirmOn(CControl& button, bool done, bool removal);
  void followConfirmations();
  void saveFileLocations();

  // The folder and names that seed the dialogs, and what the store holds of them.
  RememberedLocations locations;
  RememberedLocations storedLocations;
  bool fileDialogOpen = false;  // a dialog's answer is awaited
  std::atomic<bool> learnButtonOff{false};
  std::atomic<bool> unassignButtonOff{false};
};
