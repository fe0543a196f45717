// Stored defaults, the A/B memories and the remembered file locations, in the
// per-user store. Binary values hold exactly the records of the files, so they
// go through the same checks; a missing or foreign value changes nothing.
#include "platform/settingsstore.h"
#include "presets/presetsystemeditor.h"

namespace settings = platform::settings;

namespace {

constexpr const char* kDirectoryValue = "CurrDir";
constexpr FileKind kKinds[] = {FileKind::kBank, FileKind::kPreset, FileKind::kMidiSettings};

}  // namespace

void CPresetSystemEditor::readStoredDefaults() {
  recallRecord("DefaultBank", FileKind::kBank);
  recallRecord("DefaultPreset", FileKind::kPreset);
  recallRecord("DefaultMidi", FileKind::kMidiSettings);
  locations.setDirectory(settings::loadText(kDirectoryValue));
  for (FileKind kind : kKinds) {
    locations.setName(kind, settings::loadText(fileKindInfo(kind).locationValue));
  }
  storedLocations = locations;
}

bool CPresetSystemEditor::storeRecord(const char* value, FileKind kind) {
  unsigned char record[kBankRecordSize] = {};
  writeRecord(kind, record);
  return settings::storeBinary(value, record, fileKindInfo(kind).recordSize);
}

void CPresetSystemEditor::recallRecord(const char* value, FileKind kind) {
  unsigned char record[kBankRecordSize] = {};
  settings::loadBinary(value, record, fileKindInfo(kind).recordSize);
  readRecord(kind, record, false);
}

bool CPresetSystemEditor::forgetRecord(const char* value) { return settings::remove(value); }

// Only locations this instance changed are written, so that closing an idle
// instance does not undo what another one remembered meanwhile.
void CPresetSystemEditor::saveFileLocations() {
  if (locations == storedLocations) {
    return;
  }
  settings::storeText(kDirectoryValue, locations.directory());
  for (FileKind kind : kKinds) {
    settings::storeText(fileKindInfo(kind).locationValue, locations.name(kind));
  }
  storedLocations = locations;
}
