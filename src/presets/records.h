// The preset, bank and MIDI-settings records: what the files and the per-user
// store hold. Each starts with the plug-in's identifier in the writer's byte
// order and a type byte; the fields follow without padding.
#pragma once

#include <cstddef>

#include "../host/vst2.h"
#include "program.h"

constexpr size_t kRecordHeaderSize = 5;
constexpr size_t kPresetRecordSize = kRecordHeaderSize + sizeof(Program);               // 101
constexpr size_t kBankRecordSize = kRecordHeaderSize + kNumPrograms * sizeof(Program);  // 1637
constexpr size_t kMidiSettingsRecordSize = kRecordHeaderSize + kNumEffectParams * 4;    // 77

constexpr unsigned char kPresetRecordType = 0x21;
constexpr unsigned char kBankRecordType = 0x37;
constexpr unsigned char kMidiSettingsRecordType = 0x0B;

// A 32-bit number with its bytes in the other order: how a machine of the
// other byte order wrote it.
VstInt32 byteReversed(VstInt32 word);

// Writers fill a buffer of the record's size, in this machine's byte order.
void writePresetRecord(unsigned char* record, VstInt32 id, const Program& program);
void writeBankRecord(unsigned char* record, VstInt32 id, const Program* programs);
void writeMidiSettingsRecord(unsigned char* record, VstInt32 id, const float* values);

// Readers take a buffer of the record's size. A record of another plug-in or
// of another type gives false and writes nothing. A record from a machine of
// the other byte order has its values reversed, and `reversed` reverses them
// once more; names are bytes and never reversed.
bool readPresetRecord(const unsigned char* record, VstInt32 id, bool reversed, Program& program);
bool readBankRecord(const unsigned char* record, VstInt32 id, bool reversed, Program* programs);
bool readMidiSettingsRecord(const unsigned char* record, VstInt32 id, bool reversed, float* values);
