// The state a VST 3 host saves: the VST 2.4 chunk's bytes, the one state of
// every format, followed by the host's bypass, which no other format has.
// Read from wherever the host's stream stands, to its end; a VST 2.4
// project's state (the chunk alone, or a bank or program file around it) is
// taken as well.
#include <cstring>

#include "vst3plugin.h"

namespace {

// Longest state we read: the chunk is far smaller; anything bigger is not ours.
constexpr size_t kMaxStateBytes = 1 << 20;
// "Bypa" and the bypass as one little-endian 32-bit word, after the chunk.
constexpr unsigned char kBypassTag[4] = {'B', 'y', 'p', 'a'};
constexpr size_t kBypassBytes = 8;

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
  if (state == nullptr || effect == nullptr) {
    return vst3::kInvalidArgument;
  }
  const unsigned char* bytes = nullptr;
  const size_t size = effect->saveState(bytes);
  if (size == 0 || bytes == nullptr) {
    return vst3::kInternalError;
  }
  unsigned char trailer[kBypassBytes] = {};
  std::memcpy(trailer, kBypassTag, sizeof(kBypassTag));
  trailer[4] = bypassValue.load() >= 0.5f ? 1 : 0;
  return writeAll(*state, bytes, size) && writeAll(*state, trailer, sizeof(trailer))
             ? vst3::kResultOk
             : vst3::kInternalError;
}

// The chunk, with the bypass when it follows; false and nothing changed when
// the bytes are no state of ours.
bool Vst3Plugin::loadBytes(const std::vector<unsigned char>& bytes, bool fromHost) {
  size_t at = 0;
  size_t size = bytes.size();
  bool hasBypass = false;
  if (!chunkInFile(bytes, at, size)) {
    hasBypass = size > kBypassBytes && std::memcmp(bytes.data() + size - kBypassBytes, kBypassTag,
                                                   sizeof(kBypassTag)) == 0;
    size -= hasBypass ? kBypassBytes : 0;
  }
  loadingState = fromHost;
  const bool loaded = size > 0 && effect->loadState(bytes.data() + at, size);
  loadingState = false;
  if (loaded) {
    // A state without a bypass (another format's, a VST 2.4 project's) plays.
    bypassValue.store(hasBypass && bytes[at + size + 4] != 0 ? 1.0f : 0.0f);
    restartPending.store(true);
  }
  return loaded;
}

vst3::tresult Vst3Plugin::setState(vst3::IBStream* state) {
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
  const bool loaded = loadBytes(bytes, true);
  dirtyPending.store(false);  // the host's own state: nothing new to save
  tellNews();
  return loaded ? vst3::kResultOk : vst3::kResultFalse;
}

// The processor's state again, for the controller, which is this same
// object: taken only when it differs from what plays (a host that gives the
// controller alone), and told to no one while the host applies it.
vst3::tresult Vst3Plugin::setComponentState(vst3::IBStream* state) {
  if (state == nullptr || effect == nullptr) {
    return vst3::kInvalidArgument;
  }
  std::vector<unsigned char> bytes;
  if (!readAll(*state, bytes)) {
    return vst3::kResultFalse;
  }
  const unsigned char* playing = nullptr;
  const size_t size = effect->saveState(playing);
  const bool same = size > 0 && bytes.size() == size + kBypassBytes &&
                    std::memcmp(bytes.data(), playing, size) == 0 &&
                    (bytes[size + 4] != 0) == (bypassValue.load() >= 0.5f);
  if (same || bytes.empty()) {
    return vst3::kResultOk;
  }
  inComponentState = true;
  const bool loaded = loadBytes(bytes, true);
  inComponentState = false;
  dirtyPending.store(false);
  return loaded ? vst3::kResultOk : vst3::kResultFalse;
}
