#include "canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace artwork {

Colour mix(Colour a, Colour b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void setColour(cairo_t* cr, Colour c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

namespace {

void setGradient(cairo_t* cr, cairo_pattern_t* pattern, std::initializer_list<Stop> stops) {
  for (const Stop& s : stops) {
    cairo_pattern_add_color_stop_rgba(pattern, s.offset, s.colour.r, s.colour.g, s.colour.b,
                                      s.alpha);
  }
  cairo_set_source(cr, pattern);
  cairo_pattern_destroy(pattern);  // the context holds it now
}

}  // namespace

void linearSource(cairo_t* cr, double x0, double y0, double x1, double y1,
                  std::initializer_list<Stop> stops) {
  setGradient(cr, cairo_pattern_create_linear(x0, y0, x1, y1), stops);
}

void radialSource(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
                  std::initializer_list<Stop> stops) {
  setGradient(cr, cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1), stops);
}

Canvas::Canvas(int width, int height, double scale)
    : w(width),
      h(height),
      factor(scale),
      image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      context(cairo_create(image)) {
  // Unhinted outlines: fixed here, so the desktop's settings change nothing.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(context, options);
  cairo_font_options_destroy(options);
  if (scale != 1.0) {
    cairo_scale(context, scale, scale);
  }
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
  cairo_identity_matrix(context);
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
      std::fprintf(stderr, "cannot read %s (Debian package fonts-liberation)\n", path.c_str());
      std::exit(2);
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

namespace {

// The text's glyphs from x = 0, kerned: the toy text API leaves out the font's
// kerning pairs, which small legends need ("FA", "LT").
std::vector<cairo_glyph_t> kernedGlyphs(cairo_t* cr, const std::string& text, double& width) {
  cairo_scaled_font_t* font = cairo_get_scaled_font(cr);
  cairo_glyph_t* glyphs = nullptr;
  int count = 0;
  cairo_scaled_font_text_to_glyphs(font, 0, 0, text.c_str(), int(text.size()), &glyphs, &count,
                                   nullptr, nullptr, nullptr);
  std::vector<cairo_glyph_t> out(glyphs, glyphs + count);
  cairo_glyph_free(glyphs);
  cairo_font_extents_t fe;
  cairo_scaled_font_extents(font, &fe);
  FT_Face face = cairo_ft_scaled_font_lock_face(font);
  double shift = 0;
  if (face != nullptr && FT_HAS_KERNING(face)) {
    cairo_matrix_t matrix;
    cairo_get_font_matrix(cr, &matrix);
    const double scale = matrix.xx / face->units_per_EM;
    for (size_t i = 1; i < out.size(); ++i) {
      FT_Vector kern{0, 0};
      FT_Get_Kerning(face, FT_UInt(out[i - 1].index), FT_UInt(out[i].index), FT_KERNING_UNSCALED,
                     &kern);
      shift += double(kern.x) * scale;
      out[i].x += shift;
    }
  }
  if (face != nullptr) {
    cairo_ft_scaled_font_unlock_face(font);
  }
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  width = extents.x_advance + shift;
  return out;
}

}  // namespace

double textWidth(cairo_t* cr, const std::string& text) {
  double width = 0;
  kernedGlyphs(cr, text, width);
  return width;
}

void drawText(cairo_t* cr, const std::string& text, double x, double y, Align align) {
  double width = 0;
  std::vector<cairo_glyph_t> glyphs = kernedGlyphs(cr, text, width);
  if (align == Align::Centre) {
    x -= width / 2;
  } else if (align == Align::Right) {
    x -= width;
  }
  for (cairo_glyph_t& g : glyphs) {
    g.x += x;
    g.y += y;
  }
  // Filled outlines keep each glyph at its exact position; shown glyphs would
  // snap to whole pixels and space small legends unevenly.
  cairo_new_path(cr);
  cairo_glyph_path(cr, glyphs.data(), int(glyphs.size()));
  cairo_fill(cr);
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
