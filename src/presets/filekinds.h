// The three kinds of file of the preset panel, as their dialogs offer them.
#pragma once

#include <cstddef>

#include "records.h"

enum class FileKind { kBank, kPreset, kMidiSettings };

struct FileKindInfo {
  const char* loadTitle;
  const char* reversedLoadTitle;
  const char* saveTitle;
  const char* description;
  const char* extension;
  size_t recordSize;
  const char* locationValue;  // the stored value that remembers the last file's name
};

inline const FileKindInfo& fileKindInfo(FileKind kind) {
  static const FileKindInfo kinds[] = {
      {"Load bank", "Load bank (endian-reversed)", "Save bank", "Zel Bank", "zeb", kBankRecordSize,
       "CurrBank"},
      {"Load preset", "Load preset (endian-reversed)", "Save preset", "Zel Preset", "zel",
       kPresetRecordSize, "CurrPreset"},
      {"Load MIDI settings", "Load MIDI settings (endian-reversed)", "Save midi settings as",
       "Zel MIDI Settings", "zem", kMidiSettingsRecordSize, "CurrMidi"},
  };
  return kinds[static_cast<int>(kind)];
}
