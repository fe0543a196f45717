#include "artwork.h"

#include "bmpfile.h"
#include "images.h"
#include "layout.h"
#include "panel.h"

namespace artwork {

std::string bitmapFileName(int32_t id) { return "bitmaps/" + std::to_string(id) + ".bmp"; }

std::string resourceScript() {
  std::string out = "// The editor's bitmaps, numbered; made by resources/generator.\n";
  for (const BitmapShape& s : kBitmaps) {
    out += std::to_string(s.id) + " BITMAP \"" + bitmapFileName(s.id) + "\"\n";
  }
  return out;
}

std::vector<RenderedBitmap> renderArtwork() {
  Canvas panel(kWindowWidth, kWindowHeight);
  drawPanel(panel);
  std::vector<RenderedBitmap> out;
  for (const BitmapShape& s : kBitmaps) {
    const int height = s.imageHeight * s.images;
    Canvas canvas(s.width, height);
    if (s.id == 128) {
      canvas.copyFrom(panel, 0, 0, s.width, height, 0, 0);
    } else if (s.id == 129) {
      drawAbout(canvas);
    } else {
      // Each image over the panel it will sit on, so edges and shadows blend.
      const Placement at = origin(s.id);
      for (int k = 0; k < s.images; ++k) {
        const int top = k * s.imageHeight;
        canvas.copyFrom(panel, at.x, at.y, s.width, s.imageHeight, 0, top);
        cairo_t* cr = canvas.cr();
        cairo_save(cr);
        cairo_rectangle(cr, 0, top, s.width, s.imageHeight);
        cairo_clip(cr);
        cairo_translate(cr, 0, top);
        drawImage(cr, s.id, k);
        cairo_restore(cr);
      }
    }
    RenderedBitmap bitmap{s.id, s.width, height, canvas.pixels(), {}};
    bitmap.file = encodeBmp(bitmap.pixels, s.width, height, s.bitsPerPixel, s.id == 129);
    out.push_back(std::move(bitmap));
  }
  return out;
}

}  // namespace artwork
