#include "preview.h"

#include <cstdint>
#include <map>
#include <vector>

#include "artwork.h"
#include "canvas.h"
#include "layout.h"

namespace artwork {
namespace {

uint32_t read32(const std::vector<uint8_t>& f, size_t at) {
  return uint32_t(f[at]) | uint32_t(f[at + 1]) << 8 | uint32_t(f[at + 2]) << 16 |
         uint32_t(f[at + 3]) << 24;
}

// Decodes the generator's own BMP files (bottom-up BI_RGB, 8, 24 or 32 bits).
std::vector<uint32_t> decode(const std::vector<uint8_t>& f, int& w, int& h) {
  w = int(read32(f, 18));
  h = int(read32(f, 22));
  const int bits = f[28];
  const size_t offset = read32(f, 10);
  const size_t rowBytes = ((size_t(w) * size_t(bits) + 31) / 32) * 4;
  std::vector<uint32_t> out(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y) {
    const size_t row = offset + rowBytes * size_t(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      uint32_t p = 0;
      if (bits == 8) {
        p = read32(f, 54 + size_t(f[row + size_t(x)]) * 4);
      } else {
        const size_t at = row + size_t(x) * size_t(bits / 8);
        p = uint32_t(f[at]) | uint32_t(f[at + 1]) << 8 | uint32_t(f[at + 2]) << 16;
      }
      out[size_t(y) * size_t(w) + size_t(x)] = 0xFF000000u | p;
    }
  }
  return out;
}

void paste(Canvas& to, const std::vector<uint32_t>& pixels, int w, int imageHeight, int image,
           int x, int y) {
  cairo_surface_flush(to.surface());
  unsigned char* data = cairo_image_surface_get_data(to.surface());
  const int stride = cairo_image_surface_get_stride(to.surface());
  for (int row = 0; row < imageHeight; ++row) {
    for (int col = 0; col < w; ++col) {
      auto* p = reinterpret_cast<uint32_t*>(data + size_t(y + row) * size_t(stride)) + x + col;
      *p = pixels[size_t(image * imageHeight + row) * size_t(w) + size_t(col)];
    }
  }
  cairo_surface_mark_dirty(to.surface());
}

// What each control shows in the picture.
int shownImage(const Placement& p) {
  if (isKnob(p.id)) {
    return 50;
  }
  switch (p.id) {
    case bitmap::kDigit1:
      return 1;
    case bitmap::kDigit2:
      return 6;
    case bitmap::kStatusLamps:
      return 7;
    case bitmap::kMeter:
      return 16;
    case bitmap::kModulationLamp:
      return 80;
    case bitmap::kFbInv:
    case bitmap::kRptInf:
    case bitmap::kBypassLamp:
    case bitmap::kHiCut:
    case bitmap::kPower:
      return 1;
    case bitmap::kLearn:
      return 2;
    default:
      return 0;
  }
}

}  // namespace

bool writePreviews(const std::string& panelPng, const std::string& aboutPng) {
  std::map<int32_t, RenderedBitmap> bitmaps;
  for (auto& b : renderArtwork()) {
    bitmaps.emplace(b.id, std::move(b));
  }
  int w = 0, h = 0;
  Canvas panel(kWindowWidth, kWindowHeight);
  const auto background = decode(bitmaps.at(bitmap::kBackground).file, w, h);
  paste(panel, background, w, h, 0, 0, 0);
  for (const Placement& p : kPlacements) {
    const BitmapShape& s = shapeOf(p.id);
    const auto pixels = decode(bitmaps.at(p.id).file, w, h);
    paste(panel, pixels, w, s.imageHeight, shownImage(p), p.x, p.y);
  }
  Canvas about(kWindowWidth, kWindowHeight);
  const auto picture = decode(bitmaps.at(bitmap::kAbout).file, w, h);
  paste(about, picture, w, h, 0, 0, 0);
  // The about view's text: white, 11 pixels, left in its box.
  cairo_t* cr = about.cr();
  useFont(cr, Font::Sans, 11);
  cairo_set_source_rgb(cr, 1, 1, 1);
  drawText(cr, "v.1.6.0", kVersionText.left, kVersionText.top + 11.5, Align::Left);
  return cairo_surface_write_to_png(panel.surface(), panelPng.c_str()) == CAIRO_STATUS_SUCCESS &&
         cairo_surface_write_to_png(about.surface(), aboutPng.c_str()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace artwork
