// Renders every bitmap of the editor and the preset panel and encodes it as
// the BMP file the resources carry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

struct RenderedBitmap {
  int32_t id;                    // the 100 % number
  int zoom;                      // 100, 150 or 200
  int width, height;             // the whole stack, in pixels
  std::vector<uint32_t> pixels;  // 0xFFRRGGBB as drawn, before any palette
  std::vector<uint8_t> file;     // the BMP file
};

// Every bitmap at one zoom: the same drawing, placed on that zoom's pixel grid.
std::vector<RenderedBitmap> renderArtwork(int zoom = 100);

// The resource script that numbers the files of every zoom for windres.
std::string resourceScript();
std::string bitmapFileName(int32_t id, int zoom = 100);

}  // namespace artwork
