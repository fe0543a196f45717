// The preset, bank and MIDI-settings records: their layout, and reading them
// back in either byte order.
#include "presets/records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr VstInt32 kId = 0x4F6E6478;  // 'Ondx'
using Bytes = std::vector<unsigned char>;

Program sample(int seed) {
  Program p{};
  copyProgramName(p.name, seed == 0 ? "exactly twenty-four char" : "short");
  for (int i = 0; i < kNumEffectParams; ++i) {
    p.values[i] = static_cast<float>(seed * 100 + i) / 4096.0f;
  }
  return p;
}

float at(const Bytes& b, size_t offset) {
  float v = 0;
  std::memcpy(&v, b.data() + offset, 4);
  return v;
}

// `words` 4-byte words from `from` on, each reversed: the record as a machine of
// the other byte order writes it.
struct Words {
  size_t from;
  size_t count;
};
void reverseWords(Bytes& b, Words words) {
  const size_t from = words.from;
  for (size_t i = 0; i < words.count; ++i) {
    std::reverse(b.begin() + static_cast<long>(from + 4 * i),
                 b.begin() + static_cast<long>(from + 4 * i + 4));
  }
}

void reverseProgramValues(Bytes& b, size_t programs) {
  for (size_t k = 0; k < programs; ++k) {
    reverseWords(b, {kRecordHeaderSize + k * sizeof(Program) + kProgramNameSize, kNumEffectParams});
  }
}

bool same(const Program& a, const Program& b) {
  return std::memcmp(a.name, b.name, kProgramNameSize) == 0 &&
         std::equal(a.values, a.values + kNumEffectParams, b.values);
}

// The 4 bytes of a value, to compare values whose bytes were reversed.
std::string bytesOf(const void* at) { return {static_cast<const char*>(at), 4}; }

}  // namespace

TEST(Records, LayoutOfEachKind) {
  EXPECT_EQ(kPresetRecordSize, 101u);
  EXPECT_EQ(kBankRecordSize, 1637u);
  EXPECT_EQ(kMidiSettingsRecordSize, 77u);

  Bytes preset(kPresetRecordSize);
  writePresetRecord(preset.data(), kId, sample(0));
  EXPECT_EQ(Bytes(preset.begin(), preset.begin() + 5), (Bytes{0x78, 0x64, 0x6E, 0x4F, 0x21}));
  EXPECT_EQ(std::memcmp(preset.data() + 5, "exactly twenty-four char", 24), 0);
  EXPECT_EQ(at(preset, 29), sample(0).values[0]);
  EXPECT_EQ(at(preset, 97), sample(0).values[17]);

  Program programs[kNumPrograms];
  for (int k = 0; k < kNumPrograms; ++k) {
    programs[k] = sample(k);
  }
  Bytes bank(kBankRecordSize);
  writeBankRecord(bank.data(), kId, programs);
  EXPECT_EQ(bank[4], 0x37);
  EXPECT_EQ(std::memcmp(bank.data() + 5 + size_t{96} * 16, "short\0\0", 7), 0);
  EXPECT_EQ(at(bank, 29 + 96 * 16 + 4 * 17), programs[16].values[17]);

  float controllers[kNumEffectParams];
  for (int i = 0; i < kNumEffectParams; ++i) {
    controllers[i] = (static_cast<float>(i) + 0.5f) / 129.0f;
  }
  Bytes midi(kMidiSettingsRecordSize);
  writeMidiSettingsRecord(midi.data(), kId, controllers);
  EXPECT_EQ(midi[4], 0x0B);
  EXPECT_EQ(at(midi, 5 + 4 * 17), controllers[17]);
}

TEST(Records, RoundTripsInEitherByteOrder) {
  Program programs[kNumPrograms];
  for (int k = 0; k < kNumPrograms; ++k) {
    programs[k] = sample(k);
  }
  Bytes bank(kBankRecordSize);
  writeBankRecord(bank.data(), kId, programs);
  Bytes foreign = bank;
  reverseWords(foreign, {0, 1});
  reverseProgramValues(foreign, kNumPrograms);
  Bytes nativeButReversed = bank;
  reverseProgramValues(nativeButReversed, kNumPrograms);

  // The plain load reads native and foreign records alike; the reversed load
  // reads a native record whose values were reversed.
  struct Case {
    const Bytes* record;
    bool reversed;
  };
  for (const Case& c :
       {Case{&bank, false}, Case{&foreign, false}, Case{&nativeButReversed, true}}) {
    Program read[kNumPrograms] = {};
    ASSERT_TRUE(readBankRecord(c.record->data(), kId, c.reversed, read));
    for (int k = 0; k < kNumPrograms; ++k) {
      EXPECT_TRUE(same(read[k], programs[k])) << k;
    }
  }
  // A foreign record through the reversed load: values arrive reversed, names intact.
  Program read[kNumPrograms] = {};
  ASSERT_TRUE(readBankRecord(foreign.data(), kId, true, read));
  EXPECT_EQ(std::memcmp(read[3].name, programs[3].name, kProgramNameSize), 0);
  EXPECT_EQ(bytesOf(&read[3].values[2]), bytesOf(&nativeButReversed[5 + 96 * 3 + 24 + 8]));

  Bytes preset(kPresetRecordSize);
  writePresetRecord(preset.data(), kId, programs[7]);
  reverseWords(preset, {0, 1});
  reverseProgramValues(preset, 1);
  Program one{};
  ASSERT_TRUE(readPresetRecord(preset.data(), kId, false, one));
  EXPECT_TRUE(same(one, programs[7]));

  float values[kNumEffectParams];
  for (int i = 0; i < kNumEffectParams; ++i) {
    values[i] = static_cast<float>(i) / 129.0f;
  }
  Bytes midi(kMidiSettingsRecordSize);
  writeMidiSettingsRecord(midi.data(), kId, values);
  reverseWords(midi, {0, 1});
  reverseWords(midi, {kRecordHeaderSize, kNumEffectParams});
  float back[kNumEffectParams] = {};
  ASSERT_TRUE(readMidiSettingsRecord(midi.data(), kId, false, back));
  EXPECT_TRUE(std::equal(back, back + kNumEffectParams, values));
}

TEST(Records, OtherPluginsAndOtherKindsAreRefusedUntouched) {
  Bytes bank(kBankRecordSize);
  Program programs[kNumPrograms] = {};
  writeBankRecord(bank.data(), kId, programs);
  Program untouched = sample(3);
  Program p = untouched;
  EXPECT_FALSE(readPresetRecord(bank.data(), kId, false, p));  // a bank given as a preset
  EXPECT_TRUE(same(p, untouched));

  Bytes preset(kPresetRecordSize);
  writePresetRecord(preset.data(), kId, sample(1));
  preset[0] ^= 1;  // another plug-in's identifier
  EXPECT_FALSE(readPresetRecord(preset.data(), kId, false, p));
  Bytes empty(kPresetRecordSize, 0);  // an unreadable file or a missing value
  EXPECT_FALSE(readPresetRecord(empty.data(), kId, true, p));
  EXPECT_TRUE(same(p, untouched));

  float values[kNumEffectParams] = {};
  Bytes midi(kMidiSettingsRecordSize);
  writeMidiSettingsRecord(midi.data(), kId, values);
  midi[4] = 0x21;
  float kept[kNumEffectParams] = {1.0f};
  EXPECT_FALSE(readMidiSettingsRecord(midi.data(), kId, false, kept));
  EXPECT_EQ(kept[0], 1.0f);
}
