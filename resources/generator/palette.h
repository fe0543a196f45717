// A palette of at most 256 colours chosen for an image's own content (median
// cut, refined by a few rounds of k-means), and the image mapped onto it.
#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

struct Indexed {
  std::vector<uint32_t> palette;  // 0xRRGGBB
  std::vector<uint8_t> indices;   // one per pixel
};

// Pixels are 0xAARRGGBB (alpha ignored). With `dither`, Floyd-Steinberg error
// diffusion over an image `width` pixels wide.
Indexed quantize(const std::vector<uint32_t>& pixels, int width, bool dither);

}  // namespace artwork
