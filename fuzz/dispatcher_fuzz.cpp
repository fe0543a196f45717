// The dispatcher with any opcode, index, value and opt, on valid buffers: the
// pointer always leads to a zeroed buffer large enough for any answer (or to
// the fuzzer's text, terminated), and pointers passed in `value` are valid too.
#include <cstdint>
#include <cstring>
#include <vector>

#include "bytereader.h"
#include "fuzzplugin.h"

namespace {

constexpr size_t kBufferSize = 1 << 16;

// Opcodes whose arguments are not the fuzzer's to choose.
bool leftOut(VstInt32 opcode) {
  return opcode == effClose ||        // ends the instance: done once at the end
         opcode == effProcessEvents;  // an event list of pointers: the events target
}

// Opcodes that take a host pointer in `value`.
bool pointerInValue(VstInt32 opcode) {
  return opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement;
}

}  // namespace

// Input: per call a word of opcode, index, value and opt, a text length and
// the text, then a block length.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  FuzzPlugin plugin;
  std::vector<uint8_t> buffer(kBufferSize);
  std::vector<uint8_t> second(kBufferSize);
  while (!in.empty()) {
    const auto selector = in.read<uint8_t>();
    // Mostly the known range, sometimes any word.
    const VstInt32 opcode = (selector & 0x80) != 0 ? in.read<int32_t>() : selector % 80;
    const auto index = in.read<int32_t>();
    auto value = static_cast<VstIntPtr>(in.read<int64_t>());
    const auto opt = in.read<float>();
    const size_t textLength = in.read<uint16_t>() % 2048;
    std::fill(buffer.begin(), buffer.end(), 0);
    std::fill(second.begin(), second.end(), 0);
    const size_t copied = textLength < in.remaining() ? textLength : in.remaining();
    std::memcpy(buffer.data(), in.current(), copied);
    in.skip(copied);
    if (leftOut(opcode)) {
      continue;
    }
    if (pointerInValue(opcode)) {
      value = reinterpret_cast<VstIntPtr>(second.data());  // NOLINT: ABI passes it so
    }
    if (opcode == effSetChunk && value > static_cast<VstIntPtr>(kBufferSize)) {
      value = static_cast<VstIntPtr>(kBufferSize);  // the host's size tells the truth
    }
    plugin.dispatch(opcode, index, value, buffer.data(), opt);
    plugin.playBlock(in.read<uint8_t>() * 2 + 1);
  }
  plugin.playBlock(FuzzPlugin::kMaxFrames);
  return 0;
}
