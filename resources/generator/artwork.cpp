#include "artwork.h"

#include "bmpfile.h"
#include "gui/zoomscale.h"
#include "images.h"
#include "layout.h"
#include "pack.h"
#include "panel.h"

namespace artwork {

std::string bitmapFileName(int32_t id, int zoom) {
  if (zoom == 100) {
    return "bitmaps/" + std::to_string(id) + ".bmp";
  }
  return "bitmaps/" + std::to_string(zoom) + "/" + std::to_string(id) + ".opk";
}

std::string resourceScript() {
  std::string out = "// The editor's bitmaps, numbered; made by resources/generator.\n";
  for (const int zoom : kZooms) {
    for (const BitmapShape& s : kBitmaps) {
      // Packed files are no bitmaps to Windows: raw data, unpacked by the toolkit.
      out += std::to_string(zoomedResourceId(s.id, zoom)) +
             (zoom == 100 ? " BITMAP \"" : " RCDATA \"") + bitmapFileName(s.id, zoom) + "\"\n";
    }
  }
  return out;
}

std::vector<RenderedBitmap> renderArtwork(int zoom) {
  const double scale = zoom / 100.0;
  Canvas panel(zoomedLength(kWindowWidth, zoom), zoomedLength(kWindowHeight, zoom), scale);
  drawPanel(panel);
  std::vector<RenderedBitmap> out;
  for (const BitmapShape& s : kBitmaps) {
    const int width = zoomedLength(s.width, zoom);
    const int imageHeight = zoomedLength(s.imageHeight, zoom);
    const int height = imageHeight * s.images;
    Canvas canvas(width, height, scale);
    if (s.id == bitmap::kBackground) {
      canvas.copyFrom(panel, 0, 0, width, height, 0, 0);
    } else if (s.id == bitmap::kAbout) {
      drawAbout(canvas);
    } else {
      // Each image over the panel it will sit on, so edges and shadows blend.
      // The frame puts the image at the pixel that holds its scaled corner;
      // the drawing keeps the corner's exact place, in step with the panel.
      const Placement at = origin(s.id);
      const int x = zoomedPosition(at.x, zoom), y = zoomedPosition(at.y, zoom);
      for (int k = 0; k < s.images; ++k) {
        const int top = k * imageHeight;
        canvas.copyFrom(panel, x, y, width, imageHeight, 0, top);
        cairo_t* cr = canvas.cr();
        cairo_save(cr);
        cairo_identity_matrix(cr);
        cairo_rectangle(cr, 0, top, width, imageHeight);
        cairo_clip(cr);
        cairo_translate(cr, at.x * scale - x, top + at.y * scale - y);
        cairo_scale(cr, scale, scale);
        drawImage(cr, s.id, k);
        cairo_restore(cr);
      }
    }
    RenderedBitmap bitmap{s.id, zoom, width, height, canvas.pixels(), {}};
    bitmap.file =
        encodeBmp(bitmap.pixels, width, height, s.bitsPerPixel, s.id == layout::bitmap::kAbout);
    if (zoom != 100) {
      // The scaled sets would weigh six times the 100 % set: packed, they
      // weigh less than it.
      bitmap.file = pack(bitmap.file);
    }
    out.push_back(std::move(bitmap));
  }
  return out;
}

}  // namespace artwork
