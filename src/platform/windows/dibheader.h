// The header of a 32-bit DIB laid out as the toolkit's images are: rows from
// the top, one 0x00RRGGBB (or premultiplied 0xAARRGGBB) word per pixel.
#pragma once

#include <windows.h>

namespace platform {

inline BITMAPINFO topDownDib(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace platform
