// Drawing helpers over cairo: an owned image surface, the Liberation fonts
// loaded from their files (so no font configuration changes the output), and
// text placed by its box.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace artwork {

struct Colour {
  double r, g, b;
};
// 0xRRGGBB.
constexpr Colour rgb(uint32_t hex) {
  return {double((hex >> 16) & 0xFF) / 255.0, double((hex >> 8) & 0xFF) / 255.0,
          double(hex & 0xFF) / 255.0};
}
Colour mix(Colour a, Colour b, double t);
void setColour(cairo_t* cr, Colour c, double alpha = 1.0);

// Gradients set as the source: stops at offsets 0 to 1, each with its alpha.
struct Stop {
  double offset;
  Colour colour;
  double alpha = 1.0;
};
void linearSource(cairo_t* cr, double x0, double y0, double x1, double y1,
                  std::initializer_list<Stop> stops);
void radialSource(cairo_t* cr, double cx0, double cy0, double r0, double cx1, double cy1, double r1,
                  std::initializer_list<Stop> stops);

// An ARGB image that owns its surface and one drawing context on it. The
// context draws in 100 % units: `scale` maps them to the image's pixels.
class Canvas {
 public:
  Canvas(int width, int height, double scale = 1.0);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return context; }
  cairo_surface_t* surface() const { return image; }
  // In pixels.
  int width() const { return w; }
  int height() const { return h; }
  double scale() const { return factor; }
  // Opaque pixels as 0xFFRRGGBB, top row first.
  std::vector<uint32_t> pixels() const;
  // Copies a w x h piece of `from` at (x, y) to (toX, toY), all in pixels.
  void copyFrom(const Canvas& from, int x, int y, int width, int height, int toX, int toY);

 private:
  int w, h;
  double factor;
  cairo_surface_t* image;
  cairo_t* context;
};

enum class Font { Sans, SansBold, NarrowBold };
void useFont(cairo_t* cr, Font font, double size);

enum class Align { Left, Centre, Right };
// Text whose baseline starts at y; horizontally placed at x by `align`.
void drawText(cairo_t* cr, const std::string& text, double x, double y, Align align);
double textWidth(cairo_t* cr, const std::string& text);

// A rectangle with rounded corners as the current path.
void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

}  // namespace artwork
