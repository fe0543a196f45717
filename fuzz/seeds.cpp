// Writes the seed corpora of the fuzz targets from valid states, so that no
// binary input is kept in the repository: fuzz_seeds <directory> makes
// <directory>/{chunk,events,dispatcher,parameters,records}/ with one file per seed.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "fuzzplugin.h"
#include "presets/presetsystemeffect.h"
#include "presets/records.h"

namespace {

using Bytes = std::vector<uint8_t>;

template <typename T>
void put(Bytes& out, T value) {
  const auto* p = reinterpret_cast<const uint8_t*>(&value);  // NOLINT: bytes of a scalar
  out.insert(out.end(), p, p + sizeof(T));
}

bool write(const std::filesystem::path& dir, const std::string& name, const Bytes& bytes) {
  std::FILE* f = std::fopen((dir / name).string().c_str(), "wb");
  if (f == nullptr) {
    return false;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

Bytes chunkOfProgram(int program) {
  FuzzPlugin plugin;
  auto* effect = static_cast<CPresetSystemEffect*>(  // NOLINT: the record's object
      static_cast<AudioEffect*>(plugin.effect()->object));
  effect->selectProgram(program);
  Bytes chunk(4096);
  chunk.resize(static_cast<size_t>(plugin.copyChunk(chunk.data(), 4096)));
  return chunk;
}

// The same chunk as a machine of the other byte order writes it: every word
// but the names reversed.
Bytes otherByteOrder(Bytes chunk) {
  auto reverse = [&](size_t at) {
    std::swap(chunk[at], chunk[at + 3]);
    std::swap(chunk[at + 1], chunk[at + 2]);
  };
  for (size_t at = 0; at < 32; at += 4) {
    reverse(at);
  }
  for (size_t p = 0; p < kNumPrograms; ++p) {
    const size_t values = 32 + p * sizeof(Program) + kProgramNameSize;
    for (size_t i = 0; i < kNumEffectParams; ++i) {
      reverse(values + i * 4);
    }
  }
  const size_t controllers = 32 + kNumPrograms * sizeof(Program);
  for (size_t i = 0; i < kNumEffectParams; ++i) {
    reverse(controllers + i * 4);
  }
  return chunk;
}

bool chunkSeeds(const std::filesystem::path& dir) {
  bool ok = true;
  for (int p = 0; p < kNumPrograms; ++p) {
    const Bytes chunk = chunkOfProgram(p);
    for (const Bytes& body : {chunk, otherByteOrder(chunk)}) {
      Bytes seed;
      put<uint8_t>(seed, static_cast<uint8_t>(&body == &chunk ? 0 : 2));
      put<uint8_t>(seed, static_cast<uint8_t>(p));
      put<int32_t>(seed, 0);
      seed.insert(seed.end(), body.begin(), body.end());
      ok =
          write(dir, "program" + std::to_string(p) + (seed[0] == 0 ? "" : "-reversed"), seed) && ok;
    }
  }
  return ok;
}

void putEvent(Bytes& out, int32_t type, uint8_t status, uint8_t data1, uint8_t data2) {
  put<int32_t>(out, type);
  put<int32_t>(out, static_cast<int32_t>(sizeof(VstMidiEvent)));
  put<int32_t>(out, 0);
  for (uint8_t b : {status, data1, data2, uint8_t{0}}) {
    put<uint8_t>(out, b);
  }
  put<int8_t>(out, 0);
}

bool eventSeeds(const std::filesystem::path& dir) {
  bool ok = true;
  // Each default controller swept, a few per block.
  Bytes sweep;
  for (int c = 102; c <= 120; ++c) {
    put<uint8_t>(sweep, 3);
    for (uint8_t v : {0, 64, 127}) {
      putEvent(sweep, kVstMidiType, static_cast<uint8_t>(0xb0 | (c % 16)), static_cast<uint8_t>(c),
               v);
    }
    put<uint8_t>(sweep, 100);
  }
  ok = write(dir, "controllers", sweep) && ok;
  // Notes, other messages and other event types among control changes.
  Bytes mixed;
  put<uint8_t>(mixed, 5);
  putEvent(mixed, kVstMidiType, 0x90, 60, 100);
  putEvent(mixed, kVstMidiType, 0xb0, 105, 90);
  putEvent(mixed, kVstSysExType, 0xf0, 1, 2);
  putEvent(mixed, kVstMidiType, 0xe0, 0, 64);
  putEvent(mixed, kVstMidiType, 0xb5, 119, 127);
  put<uint8_t>(mixed, 255);
  ok = write(dir, "mixed", mixed) && ok;
  return ok;
}

void putCall(Bytes& out, int32_t opcode, int32_t index, int64_t value, float opt,
             const std::string& text = "") {
  put<uint8_t>(out, 0x80);
  put<int32_t>(out, opcode);
  put<int32_t>(out, index);
  put<int64_t>(out, value);
  put<float>(out, opt);
  put<uint16_t>(out, static_cast<uint16_t>(text.size() + 1));
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
  put<uint8_t>(out, 16);
}

bool dispatcherSeeds(const std::filesystem::path& dir) {
  bool ok = true;
  Bytes texts;
  for (int i = 0; i < kNumHostParams; ++i) {
    putCall(texts, effGetParamDisplay, i, 0, 0.0f);
    putCall(texts, effGetParamName, i, 0, 0.0f);
    putCall(texts, effGetParameterProperties, i, 0, 0.0f);
    putCall(texts, effString2Parameter, i, 0, 0.0f, "0.5");
  }
  ok = write(dir, "texts", texts) && ok;
  Bytes life;
  putCall(life, effMainsChanged, 0, 0, 0.0f);
  putCall(life, effSetSampleRate, 0, 0, 96000.0f);
  putCall(life, effSetBlockSize, 0, 64, 0.0f);
  putCall(life, effMainsChanged, 0, 1, 0.0f);
  putCall(life, effCanDo, 0, 0, 0.0f, "receiveVstMidiEvent");
  putCall(life, effGetProgramNameIndexed, 3, 0, 0.0f);
  putCall(life, effSetProgramName, 0, 0, 0.0f, "A name longer than twenty-four characters");
  putCall(life, effGetChunk, 0, 0, 0.0f);
  ok = write(dir, "lifecycle", life) && ok;
  Bytes chunk;
  const Bytes state = chunkOfProgram(5);
  putCall(chunk, effSetChunk, 0, static_cast<int64_t>(state.size()), 0.0f,
          std::string(state.begin(), state.end()));
  ok = write(dir, "chunk", chunk) && ok;
  return ok;
}

bool parameterSeeds(const std::filesystem::path& dir) {
  bool ok = true;
  for (int p = 0; p < kNumPrograms; ++p) {
    FuzzPlugin plugin;
    auto* effect = static_cast<CPresetSystemEffect*>(  // NOLINT: the record's object
        static_cast<AudioEffect*>(plugin.effect()->object));
    Bytes seed;
    for (int i = 0; i < kNumHostParams; ++i) {
      put<uint8_t>(seed, 0);  // set, value of any bits
      put<uint8_t>(seed, static_cast<uint8_t>(i));
      put<uint8_t>(seed, 5);
      put<float>(seed, effect->getPrograms()[p].values[i % kNumEffectParams]);
      put<uint8_t>(seed, 3);  // texts
      put<uint8_t>(seed, static_cast<uint8_t>(i));
    }
    put<uint8_t>(seed, 6);  // a block
    put<uint8_t>(seed, 0);
    put<uint8_t>(seed, 255);
    ok = write(dir, "program" + std::to_string(p), seed) && ok;
  }
  return ok;
}

// A record as a machine of the other byte order writes it: identifier and
// values reversed, names as they are.
Bytes foreignRecord(Bytes record) {
  const size_t programs = record.size() == kBankRecordSize     ? kNumPrograms
                          : record.size() == kPresetRecordSize ? 1
                                                               : 0;
  const size_t values = programs == 0 ? kNumEffectParams : 0;
  auto reverse = [&](size_t at) {
    std::swap(record[at], record[at + 3]);
    std::swap(record[at + 1], record[at + 2]);
  };
  reverse(0);
  for (size_t p = 0; p < programs; ++p) {
    for (size_t i = 0; i < kNumEffectParams; ++i) {
      reverse(5 + p * sizeof(Program) + kProgramNameSize + 4 * i);
    }
  }
  for (size_t i = 0; i < values; ++i) {
    reverse(5 + 4 * i);
  }
  return record;
}

bool recordSeeds(const std::filesystem::path& dir) {
  FuzzPlugin plugin;
  auto* effect = static_cast<CPresetSystemEffect*>(  // NOLINT: the record's object
      static_cast<AudioEffect*>(plugin.effect()->object));
  const VstInt32 id = effect->getUniqueId();
  Bytes bank(kBankRecordSize), preset(kPresetRecordSize), midi(kMidiSettingsRecordSize);
  writeBankRecord(bank.data(), id, effect->getPrograms());
  writePresetRecord(preset.data(), id, effect->getPrograms()[9]);
  float controllers[kNumEffectParams];
  for (int i = 0; i < kNumEffectParams; ++i) {
    controllers[i] = effect->getParameter(kNumEffectParams + i);
  }
  writeMidiSettingsRecord(midi.data(), id, controllers);
  const Bytes records[] = {
      bank, preset, midi, foreignRecord(bank), foreignRecord(preset), foreignRecord(midi)};
  bool ok = true;
  for (size_t r = 0; r < 6; ++r) {
    for (uint8_t reversed : {0, 1}) {
      Bytes seed{static_cast<uint8_t>(r % 3), reversed, static_cast<uint8_t>(r * 3)};
      seed.insert(seed.end(), records[r].begin(), records[r].end());
      ok = write(dir, "record" + std::to_string(r) + "-" + std::to_string(reversed), seed) && ok;
    }
  }
  // The stored defaults: the three records, then a remembered folder.
  Bytes stored{3, 0, 4};
  for (size_t r = 0; r < 3; ++r) {
    put<uint16_t>(stored, static_cast<uint16_t>(records[r].size()));
    stored.insert(stored.end(), records[r].begin(), records[r].end());
  }
  const std::string folder = "/home/someone/Sounds/Delays/";
  stored.insert(stored.end(), folder.begin(), folder.end());
  return write(dir, "stored", stored) && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds <directory>\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  bool ok = true;
  for (const char* target : {"chunk", "events", "dispatcher", "parameters", "records"}) {
    std::error_code error;
    std::filesystem::create_directories(root / target, error);
    ok = ok && !error;
  }
  ok = ok && chunkSeeds(root / "chunk") && eventSeeds(root / "events") &&
       dispatcherSeeds(root / "dispatcher") && parameterSeeds(root / "parameters") &&
       recordSeeds(root / "records");
  if (!ok) {
    std::fprintf(stderr, "fuzz_seeds: could not write the seeds under %s\n", argv[1]);
    return 1;
  }
  return 0;
}
