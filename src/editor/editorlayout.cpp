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
constexpr int32_t kStepImageHeight = 26;
constexpr int32_t kSwitchImageHeight = 10;
const CPoint kVersionOrigin(520, 57);

}  // namespace

const ControlRow kControls[kNumControls] = {
    {kDigit1, Lamp, {511, 32, 525, 52}, 140, 12, 0},
    {kDigit1 + 1, Lamp, {528, 32, 542, 52}, 141, 12, 0},
    {kDigit1 + 2, Lamp, {545, 32, 560, 52}, 142, 12, 0},
    {kDigit1 + 3, Lamp, {563, 32, 577, 52}, 143, 12, 0},
    {kStatusLamps, Lamp, {577, 26, 593, 58}, 144, 8, 0},
    {kBypassLamp, Lamp, {341, 59, 352, 70}, 145, 2, 0},
    {kModulationLamp, Lamp, {786, 61, 796, 71}, 153, 101, 0},
    {0, Knob, {109, 25, 144, 60}, 131, 101, 0.5f},   // Input
    {1, Knob, {154, 25, 189, 60}, 132, 101, 0.5f},   // Output
    {6, Knob, {200, 25, 235, 60}, 133, 101, 0.0f},   // Fbck
    {2, Knob, {352, 25, 387, 60}, 136, 101, 0.5f},   // Mix
    {9, Knob, {616, 25, 651, 60}, 149, 101, 0.5f},   // ManVCO
    {10, Knob, {661, 25, 697, 61}, 148, 101, 0.0f},  // Depth
    {7, OnOff, {247, 44, 270, 70}, 147, 2, 0},       // HiCut
    {11, Knob, {706, 25, 742, 61}, 151, 101, 0.5f},  // Waveform
    {12, Knob, {752, 25, 788, 61}, 150, 101, 0.0f},  // Rate
    {8, OnOff, {276, 44, 297, 70}, 134, 2, 0},       // FbInv
    {5, OnOff, {306, 44, 327, 70}, 135, 2, 0},       // DlyInv
    {13, OnOff, {399, 44, 421, 70}, 137, 2, 0},      // RptInf
    {4, OnOff, {74, 45, 95, 65}, 130, 2, 0},         // Dlyx2
    {14, OnOff, {818, 45, 840, 65}, 152, 2, 0},      // Power
    {15, ModeSwitch, {457, 23, 472, 33}, 155, 2, 0},
    {kStepDown, StepButton, {431, 33, 457, 59}, 138, 2, 0},
    {kStepUp, StepButton, {470, 33, 496, 59}, 139, 2, 0},
    {kMeter, Lamp, {41, 21, 48, 64}, 146, 21, 0},
    {kNarrowArea, DragArea, {458, 34, 470, 59}, 0, 0, 0},
    {kDisplayArea, DragArea, {505, 27, 591, 57}, 0, 0, 0},
    {kAboutHotspot, About, {806, 15, 867, 39}, kAboutBitmap, 1, 0},
};

Bitmaps::~Bitmaps() {
  for (int i = 0; i < count; ++i) {
    loaded[i]->forget();
  }
}

CBitmap* Bitmaps::get(int32_t id) {
  if (id == 0) {
    return nullptr;
  }
  for (int i = 0; i < count; ++i) {
    if (loaded[i]->getResourceId() == id) {
      return loaded[i];
    }
  }
  if (count == kMaxBitmaps) {
    return nullptr;
  }
  auto* bitmap = new (std::nothrow) CBitmap(CResourceDescription(id));
  if (bitmap != nullptr) {
    loaded[count++] = bitmap;
  }
  return bitmap;
}

CControl* createControl(const ControlRow& row, CControlListener* listener, Bitmaps& bitmaps) {
  CBitmap* bitmap = bitmaps.get(row.bitmap);
  const CRect& r = row.rect;
  switch (row.kind) {
    case Lamp:
      return new (std::nothrow)
          CMovieBitmap(r, listener, row.tag, row.images, r.getHeight(), bitmap);
    case Knob: {
      auto* knob =
          new (std::nothrow) CAnimKnob(r, listener, row.tag, row.images, r.getHeight(), bitmap);
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
          ZelSwitch(r, listener, row.tag, row.images, kSwitchImageHeight, 2, bitmap);
    case StepButton:
      return new (std::nothrow) ZelKickButton(r, listener, row.tag, kStepImageHeight, bitmap);
    case DragArea:
      return new (std::nothrow) CInvisibleSlider(r, listener, row.tag);
    case About:
      return new (std::nothrow)
          CAbout(r, listener, row.tag, bitmap, CRect(0, 0, kWindowWidth, kWindowHeight),
                 CPoint(0, 0), kVersionOrigin);
  }
  return nullptr;
}

}  // namespace layout
