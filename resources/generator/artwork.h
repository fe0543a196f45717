// Renders every bitmap of the editor and the preset panel and encodes it as
// the BMP file the resources carry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

struct RenderedBitmap {
  int32_t id;
  int width, height;             // the whole stack
  std::vector<uint32_t> pixels;  // 0xFFRRGGBB as drawn, before any palette
  std::vector<uint8_t> file;     // the BMP file
};

std::vector<RenderedBitmap> renderArtwork();

// The resource script that numbers the files for windres.
std::string resourceScript();
std::string bitmapFileName(int32_t id);

}  // namespace artwork
