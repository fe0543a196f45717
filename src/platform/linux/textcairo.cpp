// Text for the toolkit on Linux: cairo with fontconfig ("Arial" resolves to
// Liberation Sans where it is installed), drawn straight into the frame's image.
#include <cairo.h>

#include <cmath>

#include "gui/guiplatform.h"
#include "gui/guitypes.h"

namespace platform {
namespace {

void setFont(cairo_t* cr, const TextStyle& style) {
  cairo_select_font_face(
      cr, style.fontName != nullptr ? style.fontName : "Arial",
      (style.style & kItalicFace) ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
      (style.style & kBoldFace) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, style.size > 0 ? style.size : 12.0);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options,
                                   style.antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

}  // namespace

void drawText(const PixelImage& image, const char* utf8, const IntRect& rect, const IntRect& clip,
              const TextStyle& style) {
  if (utf8 == nullptr || *utf8 == 0 || image.pixels == nullptr) {
    return;
  }
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(image.pixels), CAIRO_FORMAT_ARGB32, image.width,
      image.height, image.stride * 4);
  cairo_t* cr = cairo_create(surface);
  cairo_rectangle(cr, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
  cairo_clip(cr);
  setFont(cr, style);

  cairo_text_extents_t text;
  cairo_text_extents(cr, utf8, &text);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  double x = rect.left;
  const double width = rect.right - rect.left;
  if (style.align == 1) {
    x = rect.left + (width - text.x_advance) / 2.0;
  } else if (style.align == 2) {
    x = rect.right - text.x_advance;
  }
  const double height = rect.bottom - rect.top;
  const double baseline =
      std::round(rect.top + (height - (font.ascent + font.descent)) / 2.0 + font.ascent);
  x = std::round(x);
  cairo_set_source_rgba(cr, style.red / 255.0, style.green / 255.0, style.blue / 255.0,
                        style.alpha / 255.0);
  cairo_move_to(cr, x, baseline);
  cairo_show_text(cr, utf8);
  if (style.style & kUnderlineFace) {
    cairo_rectangle(cr, x, baseline + 1, text.x_advance, 1);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  cairo_surface_destroy(surface);
}

double textWidth(const char* utf8, const TextStyle& style) {
  if (utf8 == nullptr || *utf8 == 0) {
    return 0.0;
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(surface);
  setFont(cr, style);
  cairo_text_extents_t text;
  cairo_text_extents(cr, utf8, &text);
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return text.x_advance;
}

}  // namespace platform
