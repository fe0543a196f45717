#include "images.h"

#include <algorithm>
#include <cmath>

#include "layout.h"
#include "parts.h"
#include "style.h"

namespace artwork {
namespace {

// On/off buttons: a cap with a lamp in its upper part, lit when on.
void onOffButton(cairo_t* cr, const BitmapShape& s, int image, Colour lamp) {
  const bool on = image == 1;
  const double w = s.width, h = s.imageHeight;
  const double capTop = h > 22 ? 6.0 : 1.5;
  if (h > 22) {
    drawLed(cr, w / 2, 3.0, 2.0, lamp, on ? 1.0 : 0.0);
  }
  drawCap(cr, 2, capTop, w - 5, h - capTop - 3, on, 0);
  if (h <= 22) {
    // Short buttons carry their lamp in the cap.
    drawLed(cr, (w - 1) / 2, capTop + (h - capTop - 3) / 2, 2.3, lamp, on ? 1.0 : 0.0);
  }
}

void stepButton(cairo_t* cr, const BitmapShape& s, int image, bool up) {
  const bool pressed = image == 1;
  const double w = s.width, h = s.imageHeight;
  drawCap(cr, 2, 2, w - 5, h - 5, pressed, 0);
  const double cx = (w - 1) / 2, cy = (h - 1) / 2 + (pressed ? 0.8 : 0);
  setColour(cr, colours::legend, pressed ? 0.8 : 1.0);
  const double d = up ? -1 : 1;
  cairo_move_to(cr, cx - 5, cy - 2.5 * d);
  cairo_line_to(cr, cx + 5, cy - 2.5 * d);
  cairo_line_to(cr, cx, cy + 3.5 * d);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void modeSwitch(cairo_t* cr, const BitmapShape& s, int image) {
  const double w = s.width, h = s.imageHeight;
  cairo_set_source_rgb(cr, 0.04, 0.04, 0.05);
  roundedRect(cr, 1, 2, w - 2, h - 4, 2);
  cairo_fill(cr);
  // The lever: a bright metal tab.
  const double x = image == 0 ? 2.0 : w - 9.0;
  linearSource(cr, x, 2, x + 7, h - 2, {{0, {0.92, 0.92, 0.90}}, {1, {0.45, 0.45, 0.45}}});
  roundedRect(cr, x, 2.5, 7, h - 5, 1.5);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
  cairo_rectangle(cr, x + 3, 3.5, 1, h - 7);
  cairo_fill(cr);
}

void segmentsDigit(cairo_t* cr, const BitmapShape& s, int image) {
  // a b c d e f g per digit 0 to 9, then the blank and "P".
  static const int kSegments[12] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D,
                                    0x7D, 0x07, 0x7F, 0x6F, 0x00, 0x73};
  drawDigit(cr, s.width, s.imageHeight, kSegments[image]);
}

void statusLamps(cairo_t* cr, int image) {
  // Top CLK (bit 2), middle infinite repeat (bit 1), bottom 4 kHz (bit 0).
  drawLed(cr, 8, 5.5, 3.2, colours::ledAmber, (image >> 2 & 1) != 0 ? 1.0 : 0.0);
  drawLed(cr, 8, 16, 3.2, colours::ledGreen, (image >> 1 & 1) != 0 ? 1.0 : 0.0);
  drawLed(cr, 8, 26.5, 3.2, colours::ledGreen, (image & 1) != 0 ? 1.0 : 0.0);
}

void meter(cairo_t* cr, int image) {
  // Five lamps, 0 dB at the top; they light from the bottom as the image grows.
  const Colour lampColour[5] = {colours::ledRed, colours::ledAmber, colours::ledGreen,
                                colours::ledGreen, colours::ledGreen};
  for (int i = 0; i < 5; ++i) {
    const int fromBottom = 4 - i;
    const double brightness = std::fmin(1.0, std::fmax(0.0, (image - 4.0 * fromBottom) / 4.0));
    drawBarLed(cr, 0, i * 9, 7, 7, lampColour[i], brightness);
  }
}

// The preset panel's small buttons: released, hovered, pressed (or on).
void panelCap(cairo_t* cr, const BitmapShape& s, int image) {
  drawCap(cr, 0.5, 0.5, s.width - 2, s.imageHeight - 2, image == 2, image == 1 ? 1.0 : 0.0);
}

// Load and recall: an arrow up out of a tray; save and store: an arrow down into it.
void trayArrow(cairo_t* cr, double cx, double cy, double shade, bool up) {
  setColour(cr, colours::legend, shade);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, cx - 4.5, cy + 0.5);
  cairo_line_to(cr, cx - 4.5, cy + 4.5);
  cairo_line_to(cr, cx + 4.5, cy + 4.5);
  cairo_line_to(cr, cx + 4.5, cy + 0.5);
  cairo_stroke(cr);
  const double tip = up ? cy - 4.5 : cy + 2.5, tail = up ? cy + 2.5 : cy - 4.5;
  const double head = up ? 3.0 : -3.0;
  cairo_rectangle(cr, cx - 0.75, std::min(tip, tail) + (up ? 2 : 0), 1.5, 5);
  cairo_fill(cr);
  cairo_move_to(cr, cx - 3, tip + head);
  cairo_line_to(cr, cx, tip);
  cairo_line_to(cr, cx + 3, tip + head);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void panelButton(cairo_t* cr, const BitmapShape& s, int image) {
  panelCap(cr, s, image);
  const double cx = (s.width - 1) / 2.0, cy = (s.imageHeight - 1) / 2.0 + (image == 2 ? 0.8 : 0);
  const double shade = image == 1 ? 1.0 : 0.85;
  switch (s.id) {
    case bitmap::kLoad:
    case bitmap::kSave:
      trayArrow(cr, cx, cy, shade, s.id == bitmap::kLoad);
      break;
    case bitmap::kDefaultBank:
    case bitmap::kDefaultPreset:
    case bitmap::kDefaultMidi:
      useFont(cr, Font::SansBold, 5.8);
      setColour(cr, colours::legend, shade);
      drawText(cr, "DEFAULT", cx, cy + 2.5, Align::Centre);
      break;
    case bitmap::kLearn:
    case bitmap::kUnassign:
      drawLed(cr, cx, cy, 2.5, s.id == bitmap::kLearn ? colours::ledRed : colours::ledAmber,
              image == 2 ? 1.0 : 0.0);
      break;
    default:
      break;
  }
}

void rocker(cairo_t* cr, const BitmapShape& s, int image) {
  // Images: 0 plain, 1 left hovered, 2 right hovered, 3 left pressed, 4 right pressed.
  const double half = s.width / 2.0;
  for (int side = 0; side < 2; ++side) {
    const bool hovered = image == 1 + side;
    const bool pressed = image == 3 + side;
    drawCap(cr, side * half + 0.5, 0.5, half - 1.5, s.imageHeight - 2, pressed,
            hovered ? 1.0 : 0.0);
    const double cx = side * half + half / 2 - 0.5;
    const double cy = (s.imageHeight - 1) / 2.0 + (pressed ? 0.8 : 0);
    const double d = side == 0 ? -1 : 1;
    setColour(cr, colours::legend, hovered ? 1.0 : 0.85);
    cairo_move_to(cr, cx - 2 * d, cy - 3);
    cairo_line_to(cr, cx + 2.5 * d, cy);
    cairo_line_to(cr, cx - 2 * d, cy + 3);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
}

}  // namespace

void drawImage(cairo_t* cr, int32_t id, int image) {
  const BitmapShape& s = shapeOf(id);
  if (isKnob(id)) {
    drawKnob(cr, s.width / 2.0, s.imageHeight / 2.0, s.width / 2.0 - 3.5, image / 100.0);
    return;
  }
  switch (id) {
    case bitmap::kDlyx2:
    case bitmap::kFbInv:
    case bitmap::kDlyInv:
    case bitmap::kRptInf:
    case bitmap::kHiCut:
      onOffButton(cr, s, image, colours::ledAmber);
      break;
    case bitmap::kPower:
      onOffButton(cr, s, image, colours::ledRed);
      break;
    case bitmap::kStepDown:
    case bitmap::kStepUp:
      stepButton(cr, s, image, id == bitmap::kStepUp);
      break;
    case bitmap::kDigit1:
    case bitmap::kDigit2:
    case bitmap::kDigit3:
    case bitmap::kDigit4:
      segmentsDigit(cr, s, image);
      break;
    case bitmap::kStatusLamps:
      statusLamps(cr, image);
      break;
    case bitmap::kBypassLamp:
      drawLed(cr, 5.5, 5.5, 3.5, colours::ledRed, image);
      break;
    case bitmap::kMeter:
      meter(cr, image);
      break;
    case bitmap::kModulationLamp:
      drawLed(cr, 5, 5, 3.2, colours::ledAmber, image / 100.0);
      break;
    case bitmap::kDlyClk:
      modeSwitch(cr, s, image);
      break;
    case bitmap::kPreviousNext:
      rocker(cr, s, image);
      break;
    case bitmap::kLoad:
    case bitmap::kSave:
    case bitmap::kDefaultBank:
    case bitmap::kDefaultPreset:
    case bitmap::kDefaultMidi:
    case bitmap::kLearn:
    case bitmap::kUnassign:
      panelButton(cr, s, image);
      break;
    default:
      break;  // the spare: the bare panel
  }
}

}  // namespace artwork
