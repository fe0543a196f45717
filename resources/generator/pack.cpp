#include "pack.h"

#include "gui/packedbytes.h"

namespace artwork {
namespace {

uint32_t key(const std::vector<uint8_t>& b, size_t at) {
  const uint32_t v = uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
                     uint32_t(b[at + 3]) << 24;
  return (v * 2654435761u) >> 16;  // 16-bit hash of four bytes
}

}  // namespace

std::vector<uint8_t> pack(const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> out(packed::kMagic, packed::kMagic + 4);
  const auto size = uint32_t(bytes.size());
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(uint8_t(size >> shift));
  }
  // Greedy matching along hash chains of a few candidates: deterministic, and
  // quick enough to run at every up-to-date check.
  constexpr int kChain = 24;
  std::vector<int64_t> head(1 << 16, -1);
  std::vector<int64_t> previous(bytes.size(), -1);
  std::vector<uint8_t> literal;
  auto flushLiteral = [&] {
    for (size_t i = 0; i < literal.size(); i += packed::kMaxLiteral) {
      const size_t n = std::min(packed::kMaxLiteral, literal.size() - i);
      out.push_back(uint8_t(n - 1));
      out.insert(out.end(), literal.begin() + int64_t(i), literal.begin() + int64_t(i + n));
    }
    literal.clear();
  };
  auto insert = [&](size_t at) {
    if (at + packed::kMinMatch <= bytes.size()) {
      const uint32_t k = key(bytes, at);
      previous[at] = head[k];
      head[k] = int64_t(at);
    }
  };
  size_t at = 0;
  while (at < bytes.size()) {
    size_t bestLength = 0, bestDistance = 0;
    if (at + packed::kMinMatch <= bytes.size()) {
      int64_t candidate = head[key(bytes, at)];
      for (int n = 0; n < kChain && candidate >= 0; ++n, candidate = previous[size_t(candidate)]) {
        const size_t distance = at - size_t(candidate);
        if (distance > packed::kMaxDistance) {
          break;
        }
        size_t length = 0;
        while (length < packed::kMaxMatch && at + length < bytes.size() &&
               bytes[size_t(candidate) + length] == bytes[at + length]) {
          ++length;
        }
        if (length > bestLength) {
          bestLength = length;
          bestDistance = distance;
        }
      }
    }
    if (bestLength >= packed::kMinMatch) {
      flushLiteral();
      out.push_back(uint8_t(128 + bestLength - packed::kMinMatch));
      out.push_back(uint8_t(bestDistance));
      out.push_back(uint8_t(bestDistance >> 8));
      for (size_t i = 0; i < bestLength; ++i) {
        insert(at + i);
      }
      at += bestLength;
    } else {
      literal.push_back(bytes[at]);
      insert(at);
      ++at;
    }
  }
  flushLiteral();
  return out;
}

}  // namespace artwork
