// The scaled bitmap sets are kept packed: their 101 knob positions repeat the
// same panel and body, which a copy from earlier bytes stores in a few bytes.
// The format: "OPK1", the unpacked size (32 bits, little endian), then tokens.
// A token byte t below 128 is followed by t + 1 literal bytes; from 128 up it
// copies t - 128 + 4 bytes from a distance (16 bits, little endian) back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace packed {

inline constexpr uint8_t kMagic[4] = {'O', 'P', 'K', '1'};
inline constexpr size_t kHeaderSize = 8;
inline constexpr size_t kMinMatch = 4;
inline constexpr size_t kMaxMatch = 127 + kMinMatch;
inline constexpr size_t kMaxLiteral = 128;
inline constexpr size_t kMaxDistance = 65535;
// Larger than any bitmap of the editor: a packed size beyond it is damage.
inline constexpr uint32_t kMaxUnpacked = 64u << 20;

bool isPacked(const uint8_t* data, size_t size);
// The unpacked bytes; false (and `out` empty) for anything damaged.
bool unpack(const uint8_t* data, size_t size, std::vector<uint8_t>& out);

}  // namespace packed
