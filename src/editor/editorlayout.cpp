#include "editor/editorlayout.h"

#include <new>

#include "common/parameters.h"
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

// A parameter's control as the parameter table describes it; a knob's
// default (what a control-click restores) is the factory default.
constexpr ControlRow control(ZelParameter p) {
  const ParameterRow& row = kParameterTable[p];
  switch (row.control) {
    case EditorControl::Knob:
      return {p, Knob, row.defaultValue};
    case EditorControl::OnOffButton:
      return {p, OnOff};
    case EditorControl::ModeSwitch:
      return {p, ModeSwitch};
    case EditorControl::None:
      break;
  }
  return {p, Lamp};  // caught below: a parameter's row is never a lamp
}

}  // namespace

// A control a line, in creation order.
// clang-format off
constexpr ControlRow kControls[kNumControls] = {
    {kDigit1, Lamp},
    {kDigit1 + 1, Lamp},
    {kDigit1 + 2, Lamp},
    {kDigit1 + 3, Lamp},
    {kStatusLamps, Lamp},
    {kBypassLamp, Lamp},
    {kModulationLamp, Lamp},
    control(kInput),
    control(kOutput),
    control(kFbck),
    control(kMix),
    control(kManVCO),
    control(kDepth),
    control(kHiCut),
    control(kWaveform),
    control(kRate),
    control(kFbInv),
    control(kDlyInv),
    control(kRptInf),
    control(kDlyx2),
    control(kPower),
    control(kDlyClk),
    {kStepDown, StepButton},
    {kStepUp, StepButton},
    {kMeter, Lamp},
    {kNarrowArea, DragArea},
    {kDisplayArea, DragArea},
    {kAboutHotspot, About},
};
// clang-format on

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
// Each parameter with a control in the table has its row, and only those.
static_assert([] {
  int rows = 0;
  for (const ControlRow& row : kControls) {
    if (row.tag >= 0 && row.tag < kNumZelParameters) {
      if (row.kind == Lamp || kParameterTable[row.tag].control == EditorControl::None) {
        return false;
      }
      ++rows;
    }
  }
  int controls = 0;
  for (const ParameterRow& row : kParameterTable) {
    controls += row.control != EditorControl::None ? 1 : 0;
  }
  return rows == controls;
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
