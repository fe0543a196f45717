#include "gui/packedbytes.h"

#include <cstring>

namespace packed {

bool isPacked(const uint8_t* data, size_t size) {
  return data != nullptr && size >= kHeaderSize && std::memcmp(data, kMagic, 4) == 0;
}

bool unpack(const uint8_t* data, size_t size, std::vector<uint8_t>& out) {
  out.clear();
  if (!isPacked(data, size)) {
    return false;
  }
  const uint32_t total = uint32_t(data[4]) | uint32_t(data[5]) << 8 | uint32_t(data[6]) << 16 |
                         uint32_t(data[7]) << 24;
  if (total > kMaxUnpacked) {
    return false;
  }
  out.reserve(total);
  size_t at = kHeaderSize;
  while (at < size) {
    const uint8_t token = data[at++];
    if (token < 128) {
      const size_t count = size_t(token) + 1;
      if (count > size - at || out.size() + count > total) {
        out.clear();
        return false;
      }
      out.insert(out.end(), data + at, data + at + count);
      at += count;
      continue;
    }
    if (size - at < 2) {
      out.clear();
      return false;
    }
    const size_t count = size_t(token) - 128 + kMinMatch;
    const size_t distance = size_t(data[at]) | size_t(data[at + 1]) << 8;
    at += 2;
    if (distance == 0 || distance > out.size() || out.size() + count > total) {
      out.clear();
      return false;
    }
    // Byte by byte: a copy may overlap the bytes it writes (a repeated run).
    const size_t from = out.size() - distance;
    for (size_t i = 0; i < count; ++i) {
      out.push_back(out[from + i]);
    }
  }
  if (out.size() != total) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace packed
