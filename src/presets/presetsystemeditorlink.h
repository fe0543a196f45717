// What the preset system asks of its editor; the preset-system editor
// implements it, and the effect finds it on its attached editor.
#pragma once

class CPresetSystemEditorLink {
 public:
  virtual void showProgramName(const char* name) = 0;
  virtual void readStoredDefaults() = 0;
  virtual void clearLearnButton() = 0;
  virtual void clearUnassignButton() = 0;

 protected:
  ~CPresetSystemEditorLink() = default;
};
