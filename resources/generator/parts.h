// The pieces every picture is made of, drawn at a position on a cairo context:
// lamps, knobs, buttons, seven-segment digits and the panel's small parts.
#pragma once

#include "canvas.h"

namespace artwork {

// A round LED of radius r: dark at brightness 0, fully lit with its glow at 1.
void drawLed(cairo_t* cr, double cx, double cy, double r, Colour colour, double brightness);
// A rectangular LED, for the meter.
void drawBarLed(cairo_t* cr, double x, double y, double w, double h, Colour colour,
                double brightness);
// A knob of outer radius r whose pointer stands at `value` of its 270 degree arc.
void drawKnob(cairo_t* cr, double cx, double cy, double r, double value);
// A square push button cap; pressed caps sit lower and darker.
void drawCap(cairo_t* cr, double x, double y, double w, double h, bool pressed, double hover);
// A soft shadow under a rounded rectangle, cast away from the light.
void drawShadow(cairo_t* cr, double x, double y, double w, double h, double r);
// A seven-segment digit in a w x h cell: `segments` bit 0 to 6 = a to g.
void drawDigit(cairo_t* cr, double w, double h, int segments);
// A screw head.
void drawScrew(cairo_t* cr, double cx, double cy, double r);

}  // namespace artwork
