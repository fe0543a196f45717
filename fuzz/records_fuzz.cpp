// Preset, bank and MIDI-settings records and the stored defaults, from any
// bytes of any length, read as the panel reads a file or the per-user store.
// A refused record leaves the programs, the controller assignment and the
// current program exactly as they were; an accepted one leaves a state that
// plays finite audio.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bytereader.h"
#include "fuzzplugin.h"
#include "presets/presetsystemeditor.h"
#include "presets/presetsystemeffect.h"
#include "presets/records.h"

namespace {

constexpr int kChunkCapacity = 4096;
constexpr const char* kStoredRecords[] = {"DefaultBank", "DefaultPreset", "DefaultMidi"};
constexpr size_t kRecordSizes[] = {kBankRecordSize, kPresetRecordSize, kMidiSettingsRecordSize};
constexpr unsigned char kRecordTypes[] = {kBankRecordType, kPresetRecordType,
                                          kMidiSettingsRecordType};

std::string storeFolder;

// Everything a refused record must leave alone.
struct State {
  std::vector<uint8_t> chunk;  // programs, current program, controller values
  VstInt32 controllers[kNumEffectParams];
  VstInt32 parameters[kNumControllers];

  State(FuzzPlugin& plugin, CPresetSystemEffect& effect) : chunk(kChunkCapacity) {
    chunk.resize(static_cast<size_t>(plugin.copyChunk(chunk.data(), kChunkCapacity)));
    for (VstInt32 p = 0; p < kNumEffectParams; ++p) {
      controllers[p] = effect.getControllerForParameter(p);
    }
    for (VstInt32 c = 0; c < kNumControllers; ++c) {
      parameters[c] = effect.getParameterForController(c);
    }
  }
  bool operator==(const State& o) const {
    return chunk == o.chunk &&
           std::equal(controllers, controllers + kNumEffectParams, o.controllers) &&
           std::equal(parameters, parameters + kNumControllers, o.parameters);
  }
};

// Whether a reader should take these record bytes: this plug-in's identifier
// in either byte order and the right type.
bool acceptable(const unsigned char* record, unsigned char type, VstInt32 id) {
  VstInt32 found = 0;
  std::memcpy(&found, record, 4);
  const VstInt32 reversed = static_cast<VstInt32>(__builtin_bswap32(static_cast<uint32_t>(id)));
  return (found == id || found == reversed) && record[4] == type;
}

void writeStoreValue(const char* name, const uint8_t* data, size_t size) {
  const std::string path = storeFolder + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    invariantBroken("the store folder cannot be written");
  }
  std::fwrite(data, 1, size, file);
  std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  char folder[] = "/tmp/ondex-records-fuzz-XXXXXX";
  if (::mkdtemp(folder) == nullptr) {
    invariantBroken("no folder for the store");
  }
  ::setenv("XDG_CONFIG_HOME", folder, 1);
  storeFolder = std::string(folder) + "/Zel-acoustics";
  ::mkdir(storeFolder.c_str(), 0700);
  storeFolder += "/Ondex";
  ::mkdir(storeFolder.c_str(), 0700);
  return 0;
}

// Input: what to read (bank, preset, MIDI settings, stored defaults), flags
// (bit 0: endian-reversed), the program current before; then for a record its
// bytes, as many as the file has; for the stored defaults three lengths, the
// three values and the remembered folder's text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  const int what = in.read<uint8_t>() % 4;
  const bool reversed = (in.read<uint8_t>() & 1) != 0;
  const int program = in.read<uint8_t>() % kNumPrograms;

  FuzzPlugin plugin;
  auto& effect = *static_cast<CPresetSystemEffect*>(  // NOLINT: the record's object
      static_cast<AudioEffect*>(plugin.effect()->object));
  auto* editor = new CPresetSystemEditor(&effect);  // the effect deletes its editor
  effect.selectProgram(program);
  const State before(plugin, effect);
  const VstInt32 id = effect.getUniqueId();

  bool anyAcceptable = false;
  if (what < 3) {
    // As a file is read: at most the record's size, the rest zero.
    unsigned char record[kBankRecordSize] = {};
    const size_t n = std::min(in.remaining(), kRecordSizes[what]);
    std::memcpy(record, in.current(), n);
    anyAcceptable = acceptable(record, kRecordTypes[what], id);
    if (what == 0) {
      editor->readBank(record, reversed);
    } else if (what == 1) {
      editor->readPreset(record, reversed);
    } else {
      editor->readMidiSettings(record, reversed);
    }
  } else {
    for (int k = 0; k < 3; ++k) {
      const size_t length = in.read<uint16_t>() % (kRecordSizes[k] + 8);
      std::vector<uint8_t> value(in.current(), in.current() + std::min(length, in.remaining()));
      in.skip(value.size());
      writeStoreValue(kStoredRecords[k], value.data(), value.size());
      const bool fits = value.size() <= kRecordSizes[k];  // a longer value is not read at all
      value.resize(kRecordSizes[k], 0);
      anyAcceptable = anyAcceptable || (fits && acceptable(value.data(), kRecordTypes[k], id));
    }
    writeStoreValue("CurrDir", in.current(), in.remaining());
    editor->readStoredDefaults();
  }

  if (!anyAcceptable && !(State(plugin, effect) == before)) {
    invariantBroken("a refused record changed the state");
  }
  for (int block = 0; block < 4; ++block) {
    plugin.playBlock(FuzzPlugin::kMaxFrames);
  }
  return 0;
}
