// Text for the toolkit on Linux: cairo with fontconfig ("Arial" resolves to
// Liberation Sans where it is installed), drawn straight into the frame's image.
#include <cairo-ft.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <mutex>
#include <string>
#include <vector>

#include "gui/guiplatform.h"
#include "gui/guitypes.h"

namespace platform {
namespace {

// A font resolved with fontconfig and held for the process: resolving is slow,
// and cairo keeps its glyph caches with the face.
struct HeldFace {
  std::string family;
  bool bold;
  bool italic;
  cairo_font_face_t* face;
};

// The face of a family, weight and slant, hinted in both directions by
// FreeType's autohinter. FreeType's own interpreter no longer moves stems
// sideways, so at 9 pixels a one-pixel stem such as "i" or "l" fell between
// two pixels as two grey columns; the autohinter puts it on one.
cairo_font_face_t* heldFace(const char* family, bool bold, bool italic) {
  static std::mutex mutex;
  static std::vector<HeldFace> faces;
  const std::lock_guard<std::mutex> lock(mutex);
  for (const HeldFace& held : faces) {
    if (held.family == family && held.bold == bold && held.italic == italic) {
      return held.face;
    }
  }
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) {
    return nullptr;
  }
  // The desktop's hinting and subpixel order are for its own screen text; the
  // editor's image is grey-antialiased, fully hinted text.
  for (const char* setting : {FC_HINTING, FC_HINT_STYLE, FC_AUTOHINT, FC_RGBA}) {
    FcPatternDel(match, setting);
  }
  FcPatternAddBool(match, FC_HINTING, FcTrue);
  FcPatternAddInteger(match, FC_HINT_STYLE, FC_HINT_FULL);
  FcPatternAddBool(match, FC_AUTOHINT, FcTrue);
  FcPatternAddInteger(match, FC_RGBA, FC_RGBA_NONE);
  cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(match);
  FcPatternDestroy(match);
  if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(face);
    return nullptr;
  }
  faces.push_back({family, bold, italic, face});
  return face;
}

void setFont(cairo_t* cr, const TextStyle& style) {
  const char* family = style.fontName != nullptr ? style.fontName : "Arial";
  const bool bold = (style.style & kBoldFace) != 0;
  const bool italic = (style.style & kItalicFace) != 0;
  if (cairo_font_face_t* face = heldFace(family, bold, italic)) {
    cairo_set_font_face(cr, face);
  } else {
    cairo_select_font_face(cr, family, italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  }
  cairo_set_font_size(cr, style.size > 0 ? style.size : 12.0);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options,
                                   style.antialias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
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
