// The editor window's controls in creation order (also the drawing order):
// what each is; where it sits and which bitmap it shows come from the window's
// layout table.
#pragma once

#include <cstdint>

#include "gui/guitypes.h"
#include "layout/windowlayout.h"

class BitmapSet;
class CControl;
class CControlListener;

namespace layout {

constexpr int kNumDigits = 4;

enum class Kind { Lamp, Knob, OnOff, ModeSwitch, StepButton, DragArea, About };

struct ControlRow {
  int32_t tag;
  Kind kind;
  float defaultValue = 0;  // the knobs'

  constexpr const Place& place() const { return editorPlace(tag); }
  CRect rect() const {
    const Rect& r = place().rect;
    return {CCoord(r.left), CCoord(r.top), CCoord(r.right), CCoord(r.bottom)};
  }
};

constexpr int kNumControls = 28;
extern const ControlRow kControls[kNumControls];

// A new control for one row of the table, with its bitmap, default value,
// wheel step and zoom factor; null when memory ran out.
CControl* createControl(const ControlRow& row, CControlListener* listener, BitmapSet& bitmaps);

}  // namespace layout
