// setChunk with arbitrary bytes and declared sizes. A refused chunk leaves the
// state byte for byte as it was; an accepted one leaves a state that plays
// finite audio and that survives its own chunk unchanged.
#include <cstdint>
#include <cstring>
#include <vector>

#include "bytereader.h"
#include "fuzzplugin.h"

namespace {

constexpr int kCapacity = 4096;

bool same(const uint8_t* a, int aSize, const uint8_t* b, int bSize) {
  return aSize == bSize && std::memcmp(a, b, static_cast<size_t>(aSize)) == 0;
}

}  // namespace

// Input: flags byte, program to start from, declared size word (used when
// flags bit 0 is set), then the chunk's bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader in(data, size);
  const auto flags = in.read<uint8_t>();
  const auto program = in.read<uint8_t>();
  const auto declared = in.read<int32_t>();

  FuzzPlugin plugin;
  plugin.dispatch(effBeginSetProgram);
  AEffect* e = plugin.effect();
  e->setParameter(e, program % 36, static_cast<float>(program % 7) / 6.0f);
  plugin.playBlock(64);

  // The bytes sit in a buffer of exactly their length, so reading past it is seen.
  std::vector<uint8_t> chunk(in.current(), in.current() + in.remaining());
  auto byteSize = static_cast<VstInt32>(chunk.size());
  if ((flags & 1) != 0 && (declared < 0 || declared <= byteSize || declared > (1 << 24))) {
    byteSize = declared;  // any size the plug-in can refuse without reading
  }

  static uint8_t before[kCapacity], after[kCapacity], again[kCapacity];
  const int beforeSize = plugin.copyChunk(before, kCapacity);
  const auto answer = plugin.dispatch(effSetChunk, (flags & 2) != 0 ? 1 : 0, byteSize,
                                      chunk.empty() ? nullptr : chunk.data());
  const int afterSize = plugin.copyChunk(after, kCapacity);
  if (answer != 0) {
    if (!same(before, beforeSize, after, afterSize)) {
      invariantBroken("a refused chunk changed the state");
    }
  } else {
    // What the plug-in made of the chunk must read back as itself.
    std::vector<uint8_t> own(after, after + afterSize);
    if (plugin.dispatch(effSetChunk, 0, afterSize, own.data()) != 0) {
      invariantBroken("the plug-in refused its own chunk");
    }
    const int againSize = plugin.copyChunk(again, kCapacity);
    if (!same(after, afterSize, again, againSize)) {
      invariantBroken("a chunk did not restore the state it was taken from");
    }
  }
  for (int block = 0; block < 4; ++block) {
    plugin.playBlock(FuzzPlugin::kMaxFrames);
  }
  return 0;
}
