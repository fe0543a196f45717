#include "editor/editorlayout.h"

#include <new>

#include "editor/cabout.h"
#include "editor/cinvisibleslider.h"
#include "editor/zelkickbutton.h"
#include "editor/zelonoffbutton.h"
#include "editor/zelswitch.h"
#include "gui/cbitmap.h"
#include "gui/cknob.h"
#include "gui/cmoviebitmap.h"

namespace layout {

namespace {

using enum Kind;

// A wheel step moves a knob by 1/32 of its range; a linear drag covers it
// over 200 pixels, five times that with kShift.
constexpr float kKnobWheelStep = 0.03125f;
constexpr float kKnobZoom = 5.0f;
constexpr int32_t kModePositions = 2;  // Dly, Clk

}  // namespace

constexpr ControlRow kControls[kNumControls] = {
    {kDigit1, Lamp},
    {kDigit1 + 1, Lamp},
    {kDigit1 + 2, Lamp},
    {kDigit1 + 3, Lamp},
    {kStatusLamps, Lamp},
    {kBypassLamp, Lamp},
    {kModulationLamp, Lamp},
    {0, Knob, 0.5f},   // Input
    {1, Knob, 0.5f},   // Output
    {6, Knob, 0.0f},   // Fbck
    {2, Knob, 0.5f},   // Mix
    {9, Knob, 0.5f},   // ManVCO
    {10, Knob, 0.0f},  // Depth
    {7, OnOff},        // HiCut
    {11, Knob, 0.5f},  // Waveform
    {12, Knob, 0.0f},  // Rate
    {8, OnOff},        // FbInv
    {5, OnOff},        // DlyInv
    {13, OnOff},       // RptInf
    {4, OnOff},        // Dlyx2
    {14, OnOff},       // Power
    {15, ModeSwitch},  // Dly<>Clk
    {kStepDown, StepButton},
    {kStepUp, StepButton},
    {kMeter, Lamp},
    {kNarrowArea, DragArea},
    {kDisplayArea, DragArea},
    {kAboutHotspot, About},
};

// Every control has its place in the layout table, and every place its control.
static_assert(kEditorControls.size() == kNumControls);
static_assert([] {
  for (const ControlRow& row : kControls) {
    if (row.place().rect.width() <= 0) {
      return false;
    }
  }
  return true;
}());

CControl* createControl(const ControlRow& row, CControlListener* listener, BitmapSet& bitmaps) {
  CBitmap* bitmap = bitmaps.get(row.place().bitmap);
  const BitmapShape& shape = shapeOf(row.place().bitmap);
  const CRect r = row.rect();
  switch (row.kind) {
    case Lamp:
      return new (std::nothrow)
          CMovieBitmap(r, listener, row.tag, shape.images, shape.imageHeight, bitmap);
    case Knob: {
      auto* knob = new (std::nothrow)
          CAnimKnob(r, listener, row.tag, shape.images, shape.imageHeight, bitmap);
      if (knob != nullptr) {
        knob->setDefaultValue(row.defaultValue);
        knob->setWheelInc(kKnobWheelStep);
        knob->setZoomFactor(kKnobZoom);
      }
      return knob;
    }
    case OnOff:
      return new (std::nothrow) ZelOnOffButton(r, listener, row.tag, bitmap);
    case ModeSwitch:
      return new (std::nothrow)
          ZelSwitch(r, listener, row.tag, shape.images, shape.imageHeight, kModePositions, bitmap);
    case StepButton:
      return new (std::nothrow) ZelKickButton(r, listener, row.tag, shape.imageHeight, bitmap);
    case DragArea:
      return new (std::nothrow) CInvisibleSlider(r, listener, row.tag);
    case About:
      return new (std::nothrow)
          CAbout(r, listener, row.tag, bitmap, CRect(0, 0, kWindowWidth, kWindowHeight),
                 CPoint(0, 0), CPoint(kVersionText.left, kVersionText.top));
  }
  return nullptr;
}

}  // namespace layout
