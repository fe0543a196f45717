#include "parts.h"

#include <cmath>

#include "style.h"

namespace artwork {

void drawLed(cairo_t* cr, double cx, double cy, double r, Colour colour, double brightness) {
  // Bezel: a dark ring, lit from the top left.
  linearSource(cr, cx - r, cy - r - 1, cx + r, cy + r + 1,
               {{0, {0.08, 0.08, 0.09}}, {1, {0.45, 0.46, 0.48}}});
  cairo_arc(cr, cx, cy, r + 1, 0, 2 * M_PI);
  cairo_fill(cr);
  // Lens: the dark colour of unlit plastic blends into the lit colour.
  const Colour off = mix(rgb(0x101010), colour, 0.22);
  const Colour lens = mix(off, colour, brightness);
  const Colour centre = mix(lens, rgb(0xffffff), 0.55 * brightness + 0.15);
  const Colour rim = mix(lens, rgb(0x000000), 0.45);
  radialSource(cr, cx - r * 0.3, cy - r * 0.35, 0, cx, cy, r, {{0, centre}, {0.6, lens}, {1, rim}});
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_fill(cr);
  // Glow around a lit lamp.
  if (brightness > 0) {
    radialSource(cr, cx, cy, r * 0.5, cx, cy, r * 2.0,
                 {{0, colour, 0.45 * brightness}, {1, colour, 0}});
    cairo_arc(cr, cx, cy, r * 2.0, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  // Specular spot of the lens.
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35 + 0.3 * brightness);
  cairo_arc(cr, cx - r * 0.35, cy - r * 0.4, r * 0.28, 0, 2 * M_PI);
  cairo_fill(cr);
}

void drawBarLed(cairo_t* cr, double x, double y, double w, double h, Colour colour,
                double brightness) {
  cairo_set_source_rgb(cr, 0.05, 0.05, 0.05);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  const Colour off = mix(rgb(0x0c0c0c), colour, 0.2);
  const Colour lens = mix(off, colour, brightness);
  const Colour top = mix(lens, rgb(0xffffff), 0.35 * brightness + 0.1);
  const Colour bottom = mix(lens, rgb(0x000000), 0.3);
  linearSource(cr, x, y, x, y + h, {{0, top}, {0.5, lens}, {1, bottom}});
  cairo_rectangle(cr, x + 0.75, y + 0.75, w - 1.5, h - 1.5);
  cairo_fill(cr);
}

void drawShadow(cairo_t* cr, double x, double y, double w, double h, double r) {
  for (int i = 3; i >= 1; --i) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.18);
    roundedRect(cr, x + kShadowX * i * 0.7, y + kShadowY * i * 0.7, w, h, r + i * 0.5);
    cairo_fill(cr);
  }
}

void drawKnob(cairo_t* cr, double cx, double cy, double r, double value) {
  // Shadow cast down and right.
  for (int i = 3; i >= 1; --i) {
    cairo_set_source_rgba(cr, 0, 0, 0, 0.16);
    cairo_arc(cr, cx + kShadowX * i * 0.6, cy + kShadowY * i * 0.6, r + i * 0.4, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  // Skirt: a wide cone of satin black metal.
  linearSource(cr, cx - r, cy - r, cx + r, cy + r,
               {{0, {0.42, 0.43, 0.45}}, {0.5, {0.17, 0.17, 0.18}}, {1, {0.07, 0.07, 0.08}}});
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_fill(cr);
  // Grip ridges around the skirt.
  cairo_set_line_width(cr, 0.7);
  for (int i = 0; i < 36; ++i) {
    const double a = i * 2 * M_PI / 36;
    const double light = 0.5 + 0.5 * std::cos(a + M_PI * 0.75);
    cairo_set_source_rgba(cr, light, light, light, 0.18);
    cairo_move_to(cr, cx + std::cos(a) * r * 0.8, cy + std::sin(a) * r * 0.8);
    cairo_line_to(cr, cx + std::cos(a) * (r - 0.6), cy + std::sin(a) * (r - 0.6));
    cairo_stroke(cr);
  }
  // Cap: spun aluminium, lit from the top left, with fine concentric rings.
  const double capR = r * 0.68;
  linearSource(cr, cx - capR, cy - capR, cx + capR, cy + capR,
               {{0, {0.86, 0.86, 0.84}}, {0.55, {0.62, 0.62, 0.61}}, {1, {0.42, 0.42, 0.42}}});
  cairo_arc(cr, cx, cy, capR, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_set_line_width(cr, 0.5);
  for (double ring = 1.5; ring < capR; ring += 1.5) {
    cairo_set_source_rgba(cr, 1, 1, 1, 0.07);
    cairo_arc(cr, cx, cy, ring, 0, 2 * M_PI);
    cairo_stroke(cr);
  }
  cairo_set_line_width(cr, 0.8);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
  cairo_arc(cr, cx, cy, capR + 0.3, 0, 2 * M_PI);
  cairo_stroke(cr);
  // Pointer: engraved dark on the cap, a white line on the skirt.
  const double angle = (-135.0 + 270.0 * value) * M_PI / 180.0;
  const double dx = std::sin(angle), dy = -std::cos(angle);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 1.6);
  cairo_set_source_rgb(cr, 0.12, 0.12, 0.13);
  cairo_move_to(cr, cx + dx * capR * 0.25, cy + dy * capR * 0.25);
  cairo_line_to(cr, cx + dx * (capR - 1.0), cy + dy * (capR - 1.0));
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2.0);
  setColour(cr, colours::legend);
  cairo_move_to(cr, cx + dx * (capR + 1.6), cy + dy * (capR + 1.6));
  cairo_line_to(cr, cx + dx * (r - 1.2), cy + dy * (r - 1.2));
  cairo_stroke(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void drawCap(cairo_t* cr, double x, double y, double w, double h, bool pressed, double hover) {
  const double sink = pressed ? 0.8 : 0.0;
  if (!pressed) {
    drawShadow(cr, x, y, w, h, 2);
  }
  // Bezel the cap sits in.
  cairo_set_source_rgb(cr, 0.05, 0.05, 0.06);
  roundedRect(cr, x - 0.5, y - 0.5, w + 1, h + 1, 2.5);
  cairo_fill(cr);
  const double light = (pressed ? 0.62 : 1.0) + 0.3 * hover;
  linearSource(cr, x, y, x + w * 0.4, y + h,
               {{0, {0.40 * light, 0.41 * light, 0.43 * light}},
                {1, {0.19 * light, 0.19 * light, 0.20 * light}}});
  roundedRect(cr, x + 0.5 + sink * 0.5, y + 0.5 + sink, w - 1 - sink, h - 1 - sink, 2);
  cairo_fill(cr);
  // Edge highlight on the lit sides.
  cairo_set_line_width(cr, 0.8);
  cairo_set_source_rgba(cr, 1, 1, 1, pressed ? 0.08 : 0.22);
  cairo_move_to(cr, x + 1.5, y + h - 2);
  cairo_line_to(cr, x + 1.5, y + 1.5 + sink);
  cairo_line_to(cr, x + w - 2, y + 1.5 + sink);
  cairo_stroke(cr);
  if (hover > 0) {
    // The pointer is over it: a thin rim in the accent colour.
    setColour(cr, colours::accent, 0.75 * hover);
    roundedRect(cr, x, y, w, h, 2.5);
    cairo_stroke(cr);
  }
}

namespace {

// Segment a-g of a slanted seven-segment digit, as a hexagon path.
void segmentPath(cairo_t* cr, int index, double w, double h) {
  const double t = 2.2;       // stroke thickness
  const double slant = 0.12;  // forward lean, as on real displays
  const double left = 2.5, right = w - 2.0, top = 1.5, bottom = h - 1.5, mid = h / 2;
  auto point = [&](double x, double y, bool first) {
    const double lean = (mid - y) * slant;
    if (first) {
      cairo_move_to(cr, x + lean, y);
    } else {
      cairo_line_to(cr, x + lean, y);
    }
  };
  auto horizontal = [&](double y) {
    point(left + 1.2, y, true);
    point(left + 1.2 + t / 2, y - t / 2, false);
    point(right - 1.2 - t / 2, y - t / 2, false);
    point(right - 1.2, y, false);
    point(right - 1.2 - t / 2, y + t / 2, false);
    point(left + 1.2 + t / 2, y + t / 2, false);
  };
  auto vertical = [&](double x, double y0, double y1) {
    point(x, y0 + 1.2, true);
    point(x + t / 2, y0 + 1.2 + t / 2, false);
    point(x + t / 2, y1 - 1.2 - t / 2, false);
    point(x, y1 - 1.2, false);
    point(x - t / 2, y1 - 1.2 - t / 2, false);
    point(x - t / 2, y0 + 1.2 + t / 2, false);
  };
  const double l = left + t / 2 - 0.2, r = right - t / 2 + 0.2;
  switch (index) {
    case 0:
      horizontal(top + t / 2);
      break;
    case 1:
      vertical(r, top + t / 2, mid);
      break;
    case 2:
      vertical(r, mid, bottom - t / 2);
      break;
    case 3:
      horizontal(bottom - t / 2);
      break;
    case 4:
      vertical(l, mid, bottom - t / 2);
      break;
    case 5:
      vertical(l, top + t / 2, mid);
      break;
    default:
      horizontal(mid);
      break;
  }
  cairo_close_path(cr);
}

}  // namespace

void drawDigit(cairo_t* cr, double w, double h, int segments) {
  for (int s = 0; s < 7; ++s) {
    segmentPath(cr, s, w, h);
    if ((segments >> s & 1) != 0) {
      // Lit: a glow under a bright core.
      cairo_set_line_width(cr, 2.2);
      setColour(cr, colours::ledRed, 0.28);
      cairo_stroke_preserve(cr);
      setColour(cr, mix(colours::ledRed, rgb(0xffd0a0), 0.25));
      cairo_fill(cr);
    } else {
      setColour(cr, mix(colours::glass, colours::ledRed, 0.09));
      cairo_fill(cr);
    }
  }
}

void drawScrew(cairo_t* cr, double cx, double cy, double r) {
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
  cairo_arc(cr, cx + kShadowX * 0.7, cy + kShadowY * 0.7, r + 0.6, 0, 2 * M_PI);
  cairo_fill(cr);
  linearSource(cr, cx - r, cy - r, cx + r, cy + r,
               {{0, {0.78, 0.78, 0.76}}, {1, {0.30, 0.30, 0.30}}});
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_fill(cr);
  // A cross recess.
  cairo_set_line_width(cr, 1.1);
  cairo_set_source_rgba(cr, 0.1, 0.1, 0.1, 0.8);
  cairo_move_to(cr, cx - r * 0.6, cy - r * 0.6);
  cairo_line_to(cr, cx + r * 0.6, cy + r * 0.6);
  cairo_move_to(cr, cx + r * 0.6, cy - r * 0.6);
  cairo_line_to(cr, cx - r * 0.6, cy + r * 0.6);
  cairo_stroke(cr);
}

}  // namespace artwork
