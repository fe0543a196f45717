// The preset-system editor's record operations: the current program, the bank
// and the controller assignment to and from preset, bank and MIDI-settings
// records, whether they come from a file or from the per-user store.

#include "gui/coptionmenu.h"
#include "gui/ctextedit.h"
#include "presets/presetsystemeditor.h"
#include "presets/presetsystemeffect.h"
#include "presets/records.h"

namespace {

const unsigned char* bytes(const void* buffer) { return static_cast<const unsigned char*>(buffer); }
unsigned char* bytes(void* buffer) { return static_cast<unsigned char*>(buffer); }

}  // namespace

void CPresetSystemEditor::readPreset(const void* buffer, bool reversed) {
  if (presetEffect == nullptr || presetEffect->getPrograms() == nullptr) {
    return;
  }
  Program program{};
  if (!readPresetRecord(bytes(buffer), presetEffect->getUniqueId(), reversed, program)) {
    return;
  }
  const VstInt32 current = presetEffect->getCurrentProgramIndex();
  presetEffect->replaceProgram(current, program);
  const ProgramNameText name(program.name);
  showProgramName(name.text);
  presetEffect->renameCurrentProgram(name.text);
  presetEffect->selectProgram(current);
}

// A bank that is refused leaves the current program as it was, like any other
// record; a loaded bank starts at program 0, since a bank records no current one.
void CPresetSystemEditor::readBank(const void* buffer, bool reversed) {
  if (presetEffect == nullptr || presetEffect->getPrograms() == nullptr) {
    return;
  }
  Program programs[kNumPrograms] = {};
  if (!readBankRecord(bytes(buffer), presetEffect->getUniqueId(), reversed, programs)) {
    return;
  }
  for (VstInt32 k = 0; k < kNumPrograms; ++k) {
    presetEffect->replaceProgram(k, programs[k]);
    if (programList != nullptr) {
      if (CMenuItem* entry = programList->getEntry(k)) {
        entry->setTitle(ProgramNameText(programs[k].name).text);
      }
    }
  }
  if (programList != nullptr) {
    programList->setCurrent(0);
  }
  if (nameField != nullptr) {
    nameField->setText(ProgramNameText(programs[0].name).text);
  }
  presetEffect->selectProgram(0);
}

void CPresetSystemEditor::readMidiSettings(const void* buffer, bool reversed) {
  if (presetEffect == nullptr) {
    return;
  }
  float values[kNumEffectParams];
  if (!readMidiSettingsRecord(bytes(buffer), presetEffect->getUniqueId(), reversed, values)) {
    return;
  }
  presetEffect->loadControllerValues(values);
}

void CPresetSystemEditor::writeBank(void* buffer) {
  if (presetEffect != nullptr && presetEffect->getPrograms() != nullptr) {
    Program programs[kNumPrograms];
    for (VstInt32 k = 0; k < kNumPrograms; ++k) {
      programs[k] = presetEffect->copyProgram(k);
    }
    writeBankRecord(bytes(buffer), presetEffect->getUniqueId(), programs);
  }
}

void CPresetSystemEditor::writePreset(void* buffer) {
  if (presetEffect != nullptr && presetEffect->getPrograms() != nullptr) {
    writePresetRecord(bytes(buffer), presetEffect->getUniqueId(),
                      presetEffect->copyProgram(presetEffect->getCurrentProgramIndex()));
  }
}

void CPresetSystemEditor::writeMidiSettings(void* buffer) {
  if (presetEffect == nullptr) {
    return;
  }
  float values[kNumEffectParams];
  for (VstInt32 i = 0; i < kNumEffectParams; ++i) {
    values[i] = presetEffect->getParameter(kNumEffectParams + i);
  }
  writeMidiSettingsRecord(bytes(buffer), presetEffect->getUniqueId(), values);
}

void CPresetSystemEditor::readRecord(FileKind kind, const void* buffer, bool reversed) {
  switch (kind) {
    case FileKind::kBank:
      readBank(buffer, reversed);
      break;
    case FileKind::kPreset:
      readPreset(buffer, reversed);
      break;
    case FileKind::kMidiSettings:
      readMidiSettings(buffer, reversed);
      break;
  }
}

void CPresetSystemEditor::writeRecord(FileKind kind, void* buffer) {
  switch (kind) {
    case FileKind::kBank:
      writeBank(buffer);
      break;
    case FileKind::kPreset:
      writePreset(buffer);
      break;
    case FileKind::kMidiSettings:
      writeMidiSettings(buffer);
      break;
  }
}
