// The state a VST 3 host saves: the VST 2.4 chunk's bytes, the one state of
// every format (the bypass is Power, which the chunk keeps). Read from wherever the host's stream
// stands, to its end; a VST 2.4 project's state (the chunk alone, or a bank or program file around
// it) is taken as well.
#include <cstring>

#include "vst3plugin.h"

namespace {

// Longest state we read: the chunk is far smaller; anything bigger is not ours.
constexpr size_t kMaxStateBytes = 1 << 20;

uint32_t bigEndianWord(const unsigned char* at) {
  return static_cast<uint32_t>(at[0]) << 24 | static_cast<uint32_t>(at[1]) << 16 |
         static_cast<uint32_t>(at[2]) << 8 | at[3];
}

bool tagged(const unsigned char* at, const char (&tag)[5]) { return std::memcmp(at, tag, 4) == 0; }

// The chunk inside a VST 2.4 bank ("FBCh") or program ("FPCh") file of
// Ondex's, whose words are big-endian; false for anything else.
bool chunkInFile(const std::vector<unsigned char>& bytes, size_t& at, size_t& size) {
  constexpr size_t kProgramChunkAt = 60;  // after the 28-byte program name and the size
  constexpr size_t kBankChunkAt = 160;    // after 128 reserved bytes and the size
  constexpr uint32_t kOndexId = 0x4F6E6478;
  if (bytes.size() < kProgramChunkAt || !tagged(bytes.data(), "CcnK") ||
      bigEndianWord(bytes.data() + 16) != kOndexId) {
    return false;
  }
  if (tagged(bytes.data() + 8, "FPCh")) {
    at = kProgramChunkAt;
  } else if (tagged(bytes.data() + 8, "FBCh") && bytes.size() >= kBankChunkAt) {
    at = kBankChunkAt;
  } else {
    return false;
  }
  size = bigEndianWord(bytes.data() + at - 4);
  return size <= bytes.size() - at;
}

// The rest of the stream; false when it is too long to be ours.
bool readAll(vst3::IBStream& stream, std::vector<unsigned char>& bytes) {
  unsigned char block[4096];
  for (;;) {
    vst3::int32 got = 0;
    // Trust the count, not the result: a sub-stream says ok for a short read.
    stream.read(block, sizeof(block), &got);
    if (got <= 0 || got > static_cast<vst3::int32>(sizeof(block))) {
      return true;
    }
    bytes.insert(bytes.end(), block, block + got);
    if (bytes.size() > kMaxStateBytes) {
      return false;
    }
  }
}

bool writeAll(vst3::IBStream& stream, const unsigned char* bytes, size_t size) {
  for (size_t done = 0; done < size;) {
    vst3::int32 written = 0;
    const auto part = static_cast<vst3::int32>(std::min<size_t>(size - done, 1 << 16));
    // The stream's signature takes a writable pointer; it only reads.
    stream.write(const_cast<unsigned char*>(bytes + done), part, &written);  // NOLINT
    if (written <= 0) {
      return false;
    }
    done += static_cast<size_t>(written);
  }
  return true;
}

}  // namespace

vst3::tresult Vst3Plugin::getState(vst3::IBStream* state) {
  return guarded([&] {
    if (state == nullptr || effect == nullptr) {
      return vst3::kInvalidArgument;
    }
    const unsigned char* bytes = nullptr;
    const size_t size = effect->saveState(bytes);
    if (size == 0 || bytes == nullptr) {
      return vst3::kInternalError;
    }
    return writeAll(*state, bytes, size) ? vst3::kResultOk : vst3::kInternalError;
  });
}

// The chunk, bare or in a file; false and nothing changed when the bytes are
// no state of ours.
bool Vst3Plugin::loadBytes(const std::vector<unsigned char>& bytes) {
  size_t at = 0;
  size_t size = bytes.size();
  if (!chunkInFile(bytes, at, size)) {
    at = 0;
    size = bytes.size();
  }
  // The state that plays already: the controller's copy of a preset, or the
  // component's state given again to this same object as the controller's.
  const unsigned char* playing = nullptr;
  const size_t playingSize = effect->saveState(playing);
  if (size > 0 && size == playingSize && std::memcmp(bytes.data() + at, playing, size) == 0) {
    return true;
  }
  // The host's own state: the values it moved are news to re-read, but
  // nothing is dirty by it.
  const bool loaded = size > 0 && effect->loadState(bytes.data() + at, size);
  dirtyPending.store(false);
  return loaded;
}

vst3::tresult Vst3Plugin::setState(vst3::IBStream* state) {
  return guarded([&] {
    if (state == nullptr || effect == nullptr) {
      return vst3::kInvalidArgument;
    }
    std::vector<unsigned char> bytes;
    if (!readAll(*state, bytes)) {
      return vst3::kResultFalse;
    }
    if (bytes.empty()) {
      return vst3::kResultOk;  // a host's empty controller state: nothing to restore
    }
    // The host re-reads the values after its load; anything else waits.
    inHostState = true;
    const bool loaded = loadBytes(bytes);
    inHostState = false;
    return loaded ? vst3::kResultOk : vst3::kResultFalse;
  });
}

// The processor's state again, for the controller, which is this same
// object: what plays already stays as it is (loadBytes).
vst3::tresult Vst3Plugin::setComponentState(vst3::IBStream* state) { return setState(state); }
