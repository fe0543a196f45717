#include "palette.h"

#include <algorithm>
#include <array>
#include <map>

namespace artwork {
namespace {

struct Weighted {
  std::array<int, 3> c;
  uint32_t count;
};

std::array<int, 3> channels(uint32_t p) {
  return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

uint32_t pack(const std::array<int, 3>& c) {
  return uint32_t(c[0]) << 16 | uint32_t(c[1]) << 8 | uint32_t(c[2]);
}

// Squared distance with the eye's weights (green counts most).
int distance(const std::array<int, 3>& a, const std::array<int, 3>& b) {
  const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
  return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

int nearest(const std::vector<std::array<int, 3>>& palette, const std::array<int, 3>& c) {
  int best = 0;
  int bestDistance = distance(palette[0], c);
  for (int i = 1; i < int(palette.size()); ++i) {
    const int d = distance(palette[size_t(i)], c);
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

struct Box {
  size_t begin, end;  // range of the colour list
  int axis = 0;
  int spread = 0;
  uint64_t weight = 0;
};

void measure(Box& box, const std::vector<Weighted>& colours) {
  std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
  box.weight = 0;
  for (size_t i = box.begin; i < box.end; ++i) {
    for (int k = 0; k < 3; ++k) {
      lo[size_t(k)] = std::min(lo[size_t(k)], colours[i].c[size_t(k)]);
      hi[size_t(k)] = std::max(hi[size_t(k)], colours[i].c[size_t(k)]);
    }
    box.weight += colours[i].count;
  }
  box.spread = -1;
  for (int k = 0; k < 3; ++k) {
    if (hi[size_t(k)] - lo[size_t(k)] > box.spread) {
      box.spread = hi[size_t(k)] - lo[size_t(k)];
      box.axis = k;
    }
  }
}

std::vector<std::array<int, 3>> medianCut(std::vector<Weighted>& colours, size_t size) {
  std::vector<Box> boxes{{0, colours.size()}};
  measure(boxes[0], colours);
  while (boxes.size() < size) {
    // Split the box whose colours spread widest, weighted by how many pixels it holds.
    size_t pick = boxes.size();
    double best = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      const double score = double(boxes[i].spread) * double(boxes[i].spread) *
                           (1.0 + std::min<double>(double(boxes[i].weight), 4096.0));
      if (boxes[i].end - boxes[i].begin > 1 && score > best) {
        best = score;
        pick = i;
      }
    }
    if (pick == boxes.size()) {
      break;
    }
    Box box = boxes[pick];
    const auto first = colours.begin() + std::ptrdiff_t(box.begin);
    const auto last = colours.begin() + std::ptrdiff_t(box.end);
    const int axis = box.axis;
    std::sort(first, last, [axis](const Weighted& a, const Weighted& b) {
      return a.c[size_t(axis)] != b.c[size_t(axis)] ? a.c[size_t(axis)] < b.c[size_t(axis)]
                                                    : pack(a.c) < pack(b.c);
    });
    uint64_t half = box.weight / 2, sum = 0;
    size_t split = box.begin + 1;
    for (size_t i = box.begin; i + 1 < box.end; ++i) {
      sum += colours[i].count;
      split = i + 1;
      if (sum >= half) {
        break;
      }
    }
    Box low{box.begin, split}, high{split, box.end};
    measure(low, colours);
    measure(high, colours);
    boxes[pick] = low;
    boxes.push_back(high);
  }
  std::vector<std::array<int, 3>> palette;
  for (const Box& box : boxes) {
    std::array<uint64_t, 3> sum{0, 0, 0};
    for (size_t i = box.begin; i < box.end; ++i) {
      for (size_t k = 0; k < 3; ++k) {
        sum[k] += uint64_t(colours[i].c[k]) * colours[i].count;
      }
    }
    palette.push_back({int((sum[0] + box.weight / 2) / box.weight),
                       int((sum[1] + box.weight / 2) / box.weight),
                       int((sum[2] + box.weight / 2) / box.weight)});
  }
  return palette;
}

void refine(std::vector<std::array<int, 3>>& palette, const std::vector<Weighted>& colours) {
  for (int round = 0; round < 4; ++round) {
    std::vector<std::array<uint64_t, 4>> sums(palette.size(), {0, 0, 0, 0});
    for (const Weighted& w : colours) {
      auto& s = sums[size_t(nearest(palette, w.c))];
      for (size_t k = 0; k < 3; ++k) {
        s[k] += uint64_t(w.c[k]) * w.count;
      }
      s[3] += w.count;
    }
    for (size_t i = 0; i < palette.size(); ++i) {
      if (sums[i][3] > 0) {
        for (size_t k = 0; k < 3; ++k) {
          palette[i][k] = int((sums[i][k] + sums[i][3] / 2) / sums[i][3]);
        }
      }
    }
  }
}

}  // namespace

Indexed quantize(const std::vector<uint32_t>& pixels, int width, bool dither) {
  std::map<uint32_t, uint32_t> histogram;
  for (uint32_t p : pixels) {
    ++histogram[p & 0xFFFFFF];
  }
  std::vector<Weighted> colours;
  for (const auto& [colour, count] : histogram) {
    colours.push_back({channels(colour), count});
  }
  std::vector<std::array<int, 3>> palette;
  if (colours.size() <= 256) {
    for (const Weighted& w : colours) {
      palette.push_back(w.c);
    }
    dither = false;  // every colour is exact
  } else {
    palette = medianCut(colours, 256);
    refine(palette, colours);
  }

  Indexed out;
  for (const auto& c : palette) {
    out.palette.push_back(pack(c));
  }
  out.indices.resize(pixels.size());
  std::map<uint32_t, uint8_t> cache;
  const int height = int(pixels.size()) / width;
  // Diffused error of this row and the next, per channel, in 1/16ths.
  std::vector<std::array<int, 3>> error(size_t(width + 2) * 2, {0, 0, 0});
  for (int y = 0; y < height; ++y) {
    auto* current = &error[size_t(y % 2) * size_t(width + 2)];
    auto* next = &error[size_t((y + 1) % 2) * size_t(width + 2)];
    std::fill(next, next + width + 2, std::array<int, 3>{0, 0, 0});
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)] & 0xFFFFFF;
      std::array<int, 3> want = channels(p);
      if (dither) {
        for (size_t k = 0; k < 3; ++k) {
          want[k] = std::clamp(want[k] + current[x + 1][k] / 16, 0, 255);
        }
      }
      const uint32_t key = pack(want);
      auto found = cache.find(key);
      if (found == cache.end()) {
        found = cache.emplace(key, uint8_t(nearest(palette, want))).first;
      }
      const uint8_t index = found->second;
      out.indices[size_t(y) * size_t(width) + size_t(x)] = index;
      if (dither) {
        for (size_t k = 0; k < 3; ++k) {
          const int e = want[k] - palette[index][k];
          current[x + 2][k] += e * 7;
          next[x][k] += e * 3;
          next[x + 1][k] += e * 5;
          next[x + 2][k] += e;
        }
      }
    }
  }
  return out;
}

}  // namespace artwork
