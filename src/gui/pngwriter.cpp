#include "gui/pngwriter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "gui/cframe.h"

namespace {

uint32_t crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) {
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      }
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  }
  return ~crc;
}

void putU32(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v >> 24));
  out.push_back(uint8_t(v >> 16));
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}

void putChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
  putU32(out, uint32_t(body.size()));
  std::vector<uint8_t> typed(type, type + 4);
  typed.insert(typed.end(), body.begin(), body.end());
  out.insert(out.end(), typed.begin(), typed.end());
  putU32(out, crc32(typed.data(), typed.size()));
}

uint8_t unpremultiply(uint32_t channel, uint32_t alpha) {
  return alpha == 0 ? 0 : uint8_t(std::min<uint32_t>(255, (channel * 255 + alpha / 2) / alpha));
}

}  // namespace

bool writePng(const platform::PixelImage& image, const char* path) {
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0 || path == nullptr) {
    return false;
  }
  // Raw scanlines: filter byte 0, then RGBA.
  std::vector<uint8_t> raw;
  raw.reserve(size_t(image.height) * (size_t(image.width) * 4 + 1));
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    const uint32_t* row = image.pixels + size_t(y) * size_t(image.stride);
    for (int x = 0; x < image.width; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      raw.push_back(unpremultiply((p >> 16) & 0xFF, a));
      raw.push_back(unpremultiply((p >> 8) & 0xFF, a));
      raw.push_back(unpremultiply(p & 0xFF, a));
      raw.push_back(uint8_t(a));
    }
  }
  // zlib stream of stored deflate blocks.
  std::vector<uint8_t> z{0x78, 0x01};
  size_t pos = 0;
  do {
    const size_t len = std::min<size_t>(65535, raw.size() - pos);
    const bool last = pos + len == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(uint8_t(len));
    z.push_back(uint8_t(len >> 8));
    z.push_back(uint8_t(~len));
    z.push_back(uint8_t((~len) >> 8));
    z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + len));
    pos += len;
  } while (pos < raw.size());
  uint32_t s1 = 1, s2 = 0;
  for (uint8_t b : raw) {
    s1 = (s1 + b) % 65521;
    s2 = (s2 + s1) % 65521;
  }
  putU32(z, (s2 << 16) | s1);

  std::vector<uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  putU32(header, uint32_t(image.width));
  putU32(header, uint32_t(image.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  putChunk(png, "IHDR", header);
  putChunk(png, "IDAT", z);
  putChunk(png, "IEND", {});

  FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

bool writeFramePng(CFrame& frame, const char* path) { return writePng(frame.getImage(), path); }
