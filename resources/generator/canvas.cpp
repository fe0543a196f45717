#include "canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace artwork {

Colour mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void setColour(cairo_t* cr, Colour c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

Canvas::Canvas(int width, int height)
    : w(width),
      h(height),
      image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      context(cairo_create(image)) {
  // Grey antialiasing without hinting: the same pixels whatever the desktop's settings.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(context, options);
  cairo_font_options_destroy(options);
}

Canvas::~Canvas() {
  cairo_destroy(context);
  cairo_surface_destroy(image);
}

std::vector<uint32_t> Canvas::pixels() const {
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  std::vector<uint32_t> out(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y) {
    std::memcpy(&out[size_t(y) * size_t(w)], data + size_t(y) * size_t(stride), size_t(w) * 4);
  }
  for (uint32_t& p : out) {
    p |= 0xFF000000u;  // every image is drawn opaque over the panel
  }
  return out;
}

void Canvas::copyFrom(const Canvas& from, int x, int y, int width, int height, int toX, int toY) {
  cairo_save(context);
  cairo_rectangle(context, toX, toY, width, height);
  cairo_clip(context);
  cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(context, from.surface(), toX - x, toY - y);
  cairo_paint(context);
  cairo_restore(context);
}

namespace {

const char* fontFile(Font font) {
  switch (font) {
    case Font::SansBold:
      return "LiberationSans-Bold.ttf";
    case Font::NarrowBold:
      return "LiberationSansNarrow-Bold.ttf";
    case Font::Sans:
      break;
  }
  return "LiberationSans-Regular.ttf";
}

cairo_font_face_t* fontFace(Font font) {
  static FT_Library library = nullptr;
  static cairo_font_face_t* faces[3] = {};
  const int index = int(font);
  if (faces[index] == nullptr) {
    if (library == nullptr && FT_Init_FreeType(&library) != 0) {
      std::abort();
    }
    const std::string path = std::string(ONDEX_FONT_DIR "/") + fontFile(font);
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) {
      std::abort();  // the fonts-liberation package is missing
    }
    faces[index] = cairo_ft_font_face_create_for_ft_face(face, 0);
  }
  return faces[index];
}

}  // namespace

void useFont(cairo_t* cr, Font font, double size) {
  cairo_set_font_face(cr, fontFace(font));
  cairo_set_font_size(cr, size);
}

double textWidth(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  return extents.x_advance;
}

void drawText(cairo_t* cr, const std::string& text, double x, double y, Align align) {
  const double width = textWidth(cr, text);
  if (align == Align::Centre) {
    x -= width / 2;
  } else if (align == Align::Right) {
    x -= width;
  }
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

}  // namespace artwork
