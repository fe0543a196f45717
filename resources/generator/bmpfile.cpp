#include "bmpfile.h"

#include "palette.h"

namespace artwork {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> encodeBmp(const std::vector<uint32_t>& pixels, int width, int height,
                               int bitsPerPixel, bool dither) {
  Indexed indexed;
  if (bitsPerPixel == 8) {
    indexed = quantize(pixels, width, dither);
  }
  const size_t rowBytes = ((size_t(width) * size_t(bitsPerPixel) + 31) / 32) * 4;
  const uint32_t tableBytes = uint32_t(indexed.palette.size() * 4);
  const uint32_t offset = 14 + 40 + tableBytes;
  const uint32_t imageBytes = uint32_t(rowBytes * size_t(height));
  std::vector<uint8_t> out;
  out.reserve(offset + imageBytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, offset + imageBytes);
  put32(out, 0);
  put32(out, offset);
  put32(out, 40);
  put32(out, uint32_t(width));
  put32(out, uint32_t(height));
  put16(out, 1);
  put16(out, uint32_t(bitsPerPixel));
  put32(out, 0);  // BI_RGB
  put32(out, imageBytes);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, uint32_t(indexed.palette.size()));
  put32(out, 0);
  for (uint32_t c : indexed.palette) {
    put32(out, c);  // blue, green, red, 0
  }
  for (int row = height - 1; row >= 0; --row) {
    const size_t start = out.size();
    for (int x = 0; x < width; ++x) {
      const size_t i = size_t(row) * size_t(width) + size_t(x);
      const uint32_t p = pixels[i];
      if (bitsPerPixel == 8) {
        out.push_back(indexed.indices[i]);
      } else {
        out.push_back(uint8_t(p));
        out.push_back(uint8_t(p >> 8));
        out.push_back(uint8_t(p >> 16));
        if (bitsPerPixel == 32) {
          out.push_back(0xFF);
        }
      }
    }
    out.resize(start + rowBytes, 0);
  }
  return out;
}

}  // namespace artwork
