#include "panel.h"

#include <cmath>
#include <cstdint>

#include "layout.h"
#include "parts.h"
#include "style.h"

namespace artwork {
namespace {

// A small deterministic noise source for the brushed finish.
class Noise {
 public:
  double next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return double(state >> 40) / double(1ull << 24) - 0.5;
  }

 private:
  uint64_t state = 0x5eedf00dull;
};

// Horizontal brushing: each row a little lighter or darker, each pixel a little
// noisy. Rows `top` to `bottom` in 100 % units; the grain is one pixel at every zoom.
void brush(Canvas& canvas, int top, int bottom, double rowAmount, double pixelAmount) {
  top = int(std::lround(top * canvas.scale()));
  bottom = int(std::lround(bottom * canvas.scale()));
  cairo_surface_flush(canvas.surface());
  unsigned char* data = cairo_image_surface_get_data(canvas.surface());
  const int stride = cairo_image_surface_get_stride(canvas.surface());
  Noise noise;
  double row = 0;
  for (int y = top; y < bottom; ++y) {
    row = row * 0.6 + noise.next() * rowAmount;
    double streak = 0;
    for (int x = 0; x < canvas.width(); ++x) {
      streak = streak * 0.92 + noise.next() * pixelAmount;
      auto* p = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride)) + x;
      const double factor = 1.0 + row + streak;
      uint32_t out = 0xFF000000u;
      for (int shift = 0; shift <= 16; shift += 8) {
        const double c = double((*p >> shift) & 0xFF) * factor;
        out |= uint32_t(std::lround(std::fmin(255.0, std::fmax(0.0, c)))) << shift;
      }
      *p = out;
    }
  }
  cairo_surface_mark_dirty(canvas.surface());
}

void label(cairo_t* cr, const char* text, double x, double baseline, Align align = Align::Centre,
           double size = 6.6) {
  useFont(cr, Font::SansBold, size);
  setColour(cr, colours::legend);
  drawText(cr, text, x, baseline, align);
}

// A groove engraved into the face: dark line with a lit lower edge.
void engraveVertical(cairo_t* cr, double x, double top, double bottom) {
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_move_to(cr, x + 0.5, top);
  cairo_line_to(cr, x + 0.5, bottom);
  cairo_stroke(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.08);
  cairo_move_to(cr, x + 1.5, top);
  cairo_line_to(cr, x + 1.5, bottom);
  cairo_stroke(cr);
}

// Scale dots around a knob at the ends and the quarters of its arc.
void knobScale(cairo_t* cr, const Placement& p, int size) {
  const double cx = p.x + size / 2.0, cy = p.y + size / 2.0, r = size / 2.0 + 3.0;
  setColour(cr, colours::legendDim);
  for (int i = 0; i <= 10; ++i) {
    const double a = (-135.0 + 27.0 * i) * M_PI / 180.0;
    const double dot = (i == 0 || i == 10 || i == 5) ? 0.9 : 0.6;
    cairo_arc(cr, cx + std::sin(a) * r, cy - std::cos(a) * r, dot, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

// A recessed window: a dark frame with shadow inside at the top left.
void window(cairo_t* cr, const Rect& r, Colour fill) {
  cairo_set_source_rgb(cr, 0.04, 0.04, 0.05);
  cairo_rectangle(cr, r.left - 1, r.top - 1, r.width() + 2, r.height() + 2);
  cairo_fill(cr);
  setColour(cr, fill);
  cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
  cairo_rectangle(cr, r.left, r.top, r.width(), 1);
  cairo_rectangle(cr, r.left, r.top + 1, 1, r.height() - 1);
  cairo_fill(cr);
}

void drawFace(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  linearSource(cr, 0, 0, 0, kStripTop, {{0, colours::faceTop}, {1, colours::faceBottom}});
  cairo_rectangle(cr, 0, 0, kWindowWidth, kStripTop);
  cairo_fill(cr);
  brush(canvas, 0, kStripTop, 0.02, 0.018);
  // The light from the top left, falling off across the face.
  linearSource(cr, 0, 0, kWindowWidth * 0.6, kStripTop * 3,
               {{0, {1, 1, 1}, 0.06}, {1, {0, 0, 0}, 0.12}});
  cairo_rectangle(cr, 0, 0, kWindowWidth, kStripTop);
  cairo_fill(cr);
  // Bevels: lit top edge, shaded bottom edge.
  cairo_set_source_rgba(cr, 1, 1, 1, 0.18);
  cairo_rectangle(cr, 0, 0, kWindowWidth, 1);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  cairo_rectangle(cr, 0, kStripTop - 1, kWindowWidth, 1);
  cairo_fill(cr);
  for (double x : {12.0, 858.0}) {
    drawScrew(cr, x, 8, 3.5);
    drawScrew(cr, x, 76, 3.5);
  }
  for (double x : {102.0, 195.0, 392.0, 802.0}) {
    engraveVertical(cr, x, 8, 76);
  }
}

// The infinity sign, drawn: at legend size the font's glyph reads as "oo".
void drawInfinity(cairo_t* cr, double cx, double cy) {
  setColour(cr, colours::legend);
  cairo_set_line_width(cr, 1.2);
  cairo_move_to(cr, cx, cy);
  cairo_curve_to(cr, cx + 1.5, cy - 2.8, cx + 4.8, cy - 2.8, cx + 4.8, cy);
  cairo_curve_to(cr, cx + 4.8, cy + 2.8, cx + 1.5, cy + 2.8, cx, cy);
  cairo_curve_to(cr, cx - 1.5, cy - 2.8, cx - 4.8, cy - 2.8, cx - 4.8, cy);
  cairo_curve_to(cr, cx - 4.8, cy + 2.8, cx - 1.5, cy + 2.8, cx, cy);
  cairo_stroke(cr);
}

void drawLegends(cairo_t* cr) {
  struct Legend {
    int32_t id;
    const char* text;
  };
  // Knobs and buttons: the name above; knobs also get their scale around.
  for (const Legend& l : {Legend{bitmap::kInput, "INPUT"},
                          {bitmap::kOutput, "OUTPUT"},
                          {bitmap::kFbck, "FEEDBACK"},
                          {bitmap::kMix, "MIX"},
                          {bitmap::kManVco, "MAN VCO"},
                          {bitmap::kDepth, "DEPTH"},
                          {bitmap::kWaveform, "WAVEFORM"},
                          {bitmap::kRate, "RATE"},
                          {bitmap::kHiCut, "HI CUT"},
                          {bitmap::kFbInv, "FB INV"},
                          {bitmap::kDlyInv, "DLY INV"},
                          {bitmap::kRptInf, "RPT INF"},
                          {bitmap::kDlyx2, "DLY \u00d72"}}) {
    const Placement p = origin(l.id);
    const int width = shapeOf(l.id).width;
    if (isKnob(l.id)) {
      knobScale(cr, p, width);
      label(cr, l.text, p.x + width / 2.0, 18.5);
    } else {
      label(cr, l.text, p.x + width / 2.0, p.y - 4.5);
    }
  }
  // The two polarity switches under one bracket.
  const double left = origin(bitmap::kFbInv).x + 1,
               right = origin(bitmap::kDlyInv).x + shapeOf(bitmap::kDlyInv).width - 1;
  useFont(cr, Font::SansBold, 5.6);
  setColour(cr, colours::accent);
  drawText(cr, "POLARITY", (left + right) / 2, 30.5, Align::Centre);
  const double half = textWidth(cr, "POLARITY") / 2 + 2;
  cairo_set_line_width(cr, 0.8);
  cairo_move_to(cr, left, 31);
  cairo_line_to(cr, left, 28.5);
  cairo_line_to(cr, (left + right) / 2 - half, 28.5);
  cairo_move_to(cr, (left + right) / 2 + half, 28.5);
  cairo_line_to(cr, right, 28.5);
  cairo_line_to(cr, right, 31);
  cairo_stroke(cr);
  // Headroom meter marks beside its five lamps.
  const Placement meter = origin(bitmap::kMeter);
  const char* marks[] = {"0", "-6", "-12", "-18", "-24"};
  for (int i = 0; i < 5; ++i) {
    label(cr, marks[i], meter.x - 3, meter.y + i * 9 + 6, Align::Right, 6.2);
  }
  label(cr, "dB", meter.x + 3.5, 18.5);
  // Delay: mode switch ends, step buttons, the display and its lamps.
  const Placement modeSwitch = origin(bitmap::kDlyClk);
  label(cr, "DLY", modeSwitch.x - 2, modeSwitch.y + 7.5, Align::Right, 6.2);
  label(cr, "CLK", modeSwitch.x + 17, modeSwitch.y + 7.5, Align::Left, 6.2);
  label(cr, "STEP", kNarrowDrag.left + kNarrowDrag.width() / 2.0, 69);
  label(cr, "DELAY", kDisplayDrag.left + kDisplayDrag.width() / 2.0, 18.5);
  const Placement lamps = origin(bitmap::kStatusLamps);
  label(cr, "CLK", lamps.x + 20, lamps.y + 8, Align::Left, 6.2);
  drawInfinity(cr, lamps.x + 24.5, lamps.y + 16.5);
  label(cr, "4kHz", lamps.x + 20, lamps.y + 29, Align::Left, 6.2);
  const Placement bypass = origin(bitmap::kBypassLamp);
  label(cr, "BYPASS", bypass.x + 14, bypass.y + 8, Align::Left, 6.2);
  const Placement power = origin(bitmap::kPower);
  label(cr, "POWER", power.x + shapeOf(bitmap::kPower).width + 2, power.y + 12.5, Align::Left, 6.2);
  const Placement mod = origin(bitmap::kModulationLamp);
  label(cr, "MOD", mod.x + 12, mod.y + 7.5, Align::Left, 6.2);
}

void drawDisplayWindow(cairo_t* cr) {
  // Smoked red glass behind the digits and status lamps, in a black bezel.
  const Rect glassRect{505, 27, 595, 57};
  cairo_set_source_rgb(cr, 0.03, 0.03, 0.03);
  roundedRect(cr, glassRect.left - 3, glassRect.top - 3, glassRect.width() + 6,
              glassRect.height() + 6, 3);
  cairo_fill(cr);
  setColour(cr, colours::glass);
  cairo_rectangle(cr, glassRect.left, glassRect.top, glassRect.width(), glassRect.height());
  cairo_fill(cr);
  // A faint reflection on the upper half of the glass.
  linearSource(cr, 0, glassRect.top, 0, glassRect.top + glassRect.height(),
               {{0, {1, 1, 1}, 0.10}, {0.45, {1, 1, 1}, 0.03}, {0.46, {1, 1, 1}, 0.0}});
  cairo_rectangle(cr, glassRect.left, glassRect.top, glassRect.width(), glassRect.height());
  cairo_fill(cr);
}

void drawNarrowDrag(cairo_t* cr) {
  // A slot between the step buttons that shows it can be dragged.
  const Rect r = kNarrowDrag;
  cairo_set_source_rgb(cr, 0.06, 0.06, 0.07);
  roundedRect(cr, r.left + 3, r.top + 1, r.width() - 6, r.height() - 2, 2);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
  cairo_set_line_width(cr, 1);
  for (int y = r.top + 4; y < r.top + r.height() - 3; y += 3) {
    cairo_move_to(cr, r.left + 4, y + 0.5);
    cairo_line_to(cr, r.left + r.width() - 4, y + 0.5);
  }
  cairo_stroke(cr);
}

// The middle of the gap between two controls side by side.
double between(const layout::Place& left, const layout::Place& right) {
  return (left.rect.right + right.rect.left) / 2.0;
}

void drawStrip(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  linearSource(cr, 0, kStripTop, 0, kWindowHeight,
               {{0, colours::stripTop}, {1, colours::stripBottom}});
  cairo_rectangle(cr, 0, kStripTop, kWindowWidth, kWindowHeight - kStripTop);
  cairo_fill(cr);
  window(cr, kNameField, colours::window);
  window(cr, kControllerDisplay, colours::window);
  // The program list's button: a small arrow beside the name field.
  const Rect list = kProgramList;
  cairo_set_source_rgb(cr, 0.23, 0.24, 0.25);
  cairo_rectangle(cr, list.left + 1, list.top, list.width() - 1, list.height());
  cairo_fill(cr);
  setColour(cr, colours::legend);
  cairo_move_to(cr, list.left + 3.5, list.top + 4.5);
  cairo_line_to(cr, list.left + list.width() - 2.5, list.top + 4.5);
  cairo_line_to(cr, list.left + list.width() / 2.0 + 0.5, list.top + 8.5);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Memory letters between store and recall.
  useFont(cr, Font::SansBold, 10);
  setColour(cr, colours::accent);
  drawText(cr, "A", between(panel::kStoreA, panel::kRecallA), 98, Align::Centre);
  drawText(cr, "B", between(panel::kStoreB, panel::kRecallB), 98, Align::Centre);
  // The model line, in the strip's free middle.
  useFont(cr, Font::SansBold, 5.6);
  setColour(cr, colours::legendDim, 0.6);
  drawText(cr, "MODULATED  DIGITAL  DELAY", 556.5, 95.5, Align::Centre);
  // Group names above the strip.
  const double baseline = 82.5;
  // Centred over the controls from `first` to `last`.
  auto group = [&](const char* text, const layout::Place& first, const layout::Place& last) {
    useFont(cr, Font::SansBold, 5.8);
    setColour(cr, colours::legendDim);
    drawText(cr, text, (first.rect.left + last.rect.right) / 2.0, baseline, Align::Centre);
  };
  group("BANK", panel::kSaveBank, panel::kLoadBank);
  group("PRESET", panel::kSavePreset, panel::kLoadPreset);
  group("PROGRAM", panel::kNameField, panel::kPreviousNext);
  group("MEMORY A / B", panel::kStoreA, panel::kRecallB);
  group("MIDI SETTINGS", panel::kSaveMidi, panel::kLoadMidi);
  group("CONTROLLER", panel::kControllerDisplay, panel::kControllerDisplay);
  useFont(cr, Font::SansBold, 5.6);
  drawText(cr, "LEARN", 797, baseline, Align::Centre);
  drawText(cr, "UNASSIGN", 845, baseline, Align::Right);
}

void drawLogo(cairo_t* cr) {
  // A black name badge with the maker's line under the product name.
  const Rect r = kLogo;
  drawShadow(cr, r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1, 2);
  linearSource(cr, 0, r.top, 0, r.top + r.height(),
               {{0, {0.13, 0.13, 0.14}}, {1, {0.05, 0.05, 0.055}}});
  roundedRect(cr, r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1, 2);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  setColour(cr, colours::accent, 0.8);
  cairo_stroke(cr);
  useFont(cr, Font::SansBold, 13);
  setColour(cr, colours::legend);
  drawText(cr, "Ondex", r.left + r.width() / 2.0, r.top + 14, Align::Centre);
  useFont(cr, Font::SansBold, 5.5);
  setColour(cr, colours::accent);
  drawText(cr, "Zel-acoustics", r.left + r.width() / 2.0, r.top + 21, Align::Centre);
}

}  // namespace

void drawPanel(Canvas& canvas) {
  drawFace(canvas);
  cairo_t* cr = canvas.cr();
  drawDisplayWindow(cr);
  drawNarrowDrag(cr);
  drawLegends(cr);
  drawLogo(cr);
  drawStrip(canvas);
}

void drawAbout(Canvas& canvas) {
  cairo_t* cr = canvas.cr();
  radialSource(cr, 120, 10, 10, 120, 10, double(kWindowWidth) * 0.6,
               {{0, {0.20, 0.21, 0.23}}, {1, {0.04, 0.04, 0.05}}});
  cairo_paint(cr);
  // Echoes after the name: a plucked wave repeated, each repeat quieter and longer.
  cairo_set_line_width(cr, 1.2);
  for (int repeat = 0; repeat < 5; ++repeat) {
    const double start = 214 + repeat * 56.0, level = std::pow(0.66, repeat);
    const double width = 48;
    setColour(cr, colours::accent, 0.9 * std::sqrt(level));
    for (int i = 0; i <= 96; ++i) {
      const double t = i / 96.0;
      const double y = 52 - 26 * level * std::exp(-3.5 * t) * std::sin(t * 14 * M_PI);
      if (i == 0) {
        cairo_move_to(cr, start + t * width, y);
      } else {
        cairo_line_to(cr, start + t * width, y);
      }
    }
    cairo_stroke(cr);
  }
  useFont(cr, Font::SansBold, 46);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
  drawText(cr, "Ondex", 42 + 2, 70 + 2, Align::Left);
  setColour(cr, colours::legend);
  drawText(cr, "Ondex", 42, 70, Align::Left);
  // A fine rule between the picture and the words.
  linearSource(cr, 0, 14, 0, 88,
               {{0, colours::accent, 0}, {0.5, colours::accent, 0.7}, {1, colours::accent, 0}});
  cairo_rectangle(cr, kVersionText.left - 18, 14, 1, 74);
  cairo_fill(cr);
  useFont(cr, Font::SansBold, 12);
  setColour(cr, colours::accent);
  drawText(cr, "Zel-acoustics", kVersionText.left, 27, Align::Left);
  useFont(cr, Font::Sans, 10);
  setColour(cr, colours::legend);
  drawText(cr, "Stereo modulated delay on a variable clock", kVersionText.left, 45, Align::Left);
  useFont(cr, Font::Sans, 8);
  setColour(cr, colours::legendDim);
  drawText(cr, "VST 2.4 effect \u00b7 click to close", kVersionText.left, 90, Align::Left);
}

}  // namespace artwork
