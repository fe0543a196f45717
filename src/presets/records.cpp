#include "records.h"

#include <cstring>
#include <optional>
#include <utility>

namespace {

// NOLINTBEGIN(bugprone-easily-swappable-parameters): identifier and type byte are distinct kinds
void writeHeader(unsigned char* record, VstInt32 id, unsigned char type) {
  std::memcpy(record, &id, 4);
  record[4] = type;
}

// Whether the values need their bytes reversed; nothing for a record that is
// not ours or not of that type.
std::optional<bool> valueSwap(const unsigned char* record, VstInt32 id, unsigned char type,
                              bool reversed) {
  VstInt32 found = 0;
  std::memcpy(&found, record, 4);
  bool foreign = false;
  if (found == byteReversed(id) && found != id) {
    foreign = true;
  } else if (found != id) {
    return std::nullopt;
  }
  if (record[4] != type) {
    return std::nullopt;
  }
  return foreign != reversed;
}

// NOLINTEND(bugprone-easily-swappable-parameters)

void readValues(const unsigned char* at, bool swap, float* values, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    VstInt32 word = 0;
    std::memcpy(&word, at + 4 * i, 4);
    if (swap) {
      word = byteReversed(word);
    }
    std::memcpy(&values[i], &word, 4);
  }
}

void readProgram(const unsigned char* at, bool swap, Program& program) {
  std::memcpy(program.name, at, kProgramNameSize);
  readValues(at + kProgramNameSize, swap, program.values, kNumEffectParams);
}

}  // namespace

VstInt32 byteReversed(VstInt32 word) {
  unsigned char bytes[4];
  std::memcpy(bytes, &word, 4);
  std::swap(bytes[0], bytes[3]);
  std::swap(bytes[1], bytes[2]);
  std::memcpy(&word, bytes, 4);
  return word;
}

void writePresetRecord(unsigned char* record, VstInt32 id, const Program& program) {
  writeHeader(record, id, kPresetRecordType);
  std::memcpy(record + kRecordHeaderSize, &program, sizeof(Program));
}

void writeBankRecord(unsigned char* record, VstInt32 id, const Program* programs) {
  writeHeader(record, id, kBankRecordType);
  std::memcpy(record + kRecordHeaderSize, programs, kNumPrograms * sizeof(Program));
}

void writeMidiSettingsRecord(unsigned char* record, VstInt32 id, const float* values) {
  writeHeader(record, id, kMidiSettingsRecordType);
  std::memcpy(record + kRecordHeaderSize, values, kNumEffectParams * sizeof(float));
}

bool readPresetRecord(const unsigned char* record, VstInt32 id, bool reversed, Program& program) {
  const auto swap = valueSwap(record, id, kPresetRecordType, reversed);
  if (swap) {
    readProgram(record + kRecordHeaderSize, *swap, program);
  }
  return swap.has_value();
}

bool readBankRecord(const unsigned char* record, VstInt32 id, bool reversed, Program* programs) {
  const auto swap = valueSwap(record, id, kBankRecordType, reversed);
  if (swap) {
    for (size_t k = 0; k < kNumPrograms; ++k) {
      readProgram(record + kRecordHeaderSize + k * sizeof(Program), *swap, programs[k]);
    }
  }
  return swap.has_value();
}

bool readMidiSettingsRecord(const unsigned char* record, VstInt32 id, bool reversed,
                            float* values) {
  const auto swap = valueSwap(record, id, kMidiSettingsRecordType, reversed);
  if (swap) {
    readValues(record + kRecordHeaderSize, *swap, values, kNumEffectParams);
  }
  return swap.has_value();
}
