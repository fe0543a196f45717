// BMP files as Windows keeps bitmap resources: bottom-up rows, BI_RGB, 8 bits
// with a palette, 24 bits, or 32 bits with an opaque alpha byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace artwork {

// Pixels are 0xAARRGGBB, top row first. 8-bit images get a palette of their own.
std::vector<uint8_t> encodeBmp(const std::vector<uint32_t>& pixels, int width, int height,
                               int bitsPerPixel, bool dither);

}  // namespace artwork
