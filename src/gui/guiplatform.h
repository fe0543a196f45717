// What the toolkit asks of the platform (src/platform/<os>/): text rasterising
// into the frame's 32-bit image, the module's bitmap resources and the tick count.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace platform {

// A 32-bit image: one uint32_t per pixel, 0xAARRGGBB with premultiplied alpha
// (cairo's ARGB32 and a Windows 32-bit DIB alike), rows of `stride` pixels.
struct PixelImage {
  uint32_t* pixels;
  int width;
  int height;
  int stride;
};

struct IntRect {
  int left;
  int top;
  int right;
  int bottom;
};

// The part of `area` inside the image; right <= left or bottom <= top when
// nothing of it is.
inline IntRect insideImage(const IntRect& area, const PixelImage& image) {
  return {std::max(0, area.left), std::max(0, area.top), std::min(image.width, area.right),
          std::min(image.height, area.bottom)};
}

struct TextStyle {
  const char* fontName;  // "Arial" is the toolkit's standard font
  double size;           // em height in pixels
  int32_t style;         // CTxtFace bits
  uint8_t red, green, blue, alpha;
  int align;  // CHoriTxtAlign: 0 left, 1 centre, 2 right
  bool antialias;
};

// Draws one line of UTF-8 text into `rect` (aligned horizontally, centred
// vertically), touching no pixel outside `clip` ∩ `rect` ∩ the image.
void drawText(const PixelImage& image, const char* utf8, const IntRect& rect, const IntRect& clip,
              const TextStyle& style);
// Advance width of one line of text in pixels.
double textWidth(const char* utf8, const TextStyle& style);

// A bitmap resource of the plug-in module by number: a BMP file image, with or
// without its 14-byte file header. Empty when the module has none of that number.
struct ResourceBytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
};
ResourceBytes findModuleBitmap(int32_t id);

// The zoom (100, 150 or 200) nearest the desktop's scale: on Linux from the X
// resource Xft.dpi, on Windows from the DPI of the parent window (or of the
// system while there is none). 96 dpi is 100 %.
int desktopZoom(void* parent);

// The system's uptime in milliseconds, 32 bits.
uint32_t tickCount();

}  // namespace platform
