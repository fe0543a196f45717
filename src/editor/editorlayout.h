// The editor window's controls in creation order (also the drawing order):
// what each is, where it sits, which bitmap it shows.
#pragma once

#include <cstdint>

#include "gui/guitypes.h"

class CBitmap;
class CControl;
class CControlListener;

namespace layout {

constexpr CCoord kWindowWidth = 870;
constexpr CCoord kWindowHeight = 101;
constexpr int32_t kBackgroundBitmap = 128;
constexpr int32_t kAboutBitmap = 129;

// Tags of the editor's own controls (0 to 15 are the parameters).
enum Tag : int32_t {
  kStepDown = 19,
  kStepUp = 20,
  kDigit1 = 21,
  kStatusLamps = 26,
  kBypassLamp = 27,
  kModulationLamp = 28,
  kMeter = 29,
  kNarrowArea = 30,
  kDisplayArea = 31,
  kAboutHotspot = 32,
};
constexpr int kNumDigits = 4;

enum class Kind { Lamp, Knob, OnOff, ModeSwitch, StepButton, DragArea, About };

struct ControlRow {
  int32_t tag;
  Kind kind;
  CRect rect;
  int32_t bitmap;  // 0: none
  int32_t images;  // for the lamps, digits and knobs
  float defaultValue;
};

constexpr int kNumControls = 28;
extern const ControlRow kControls[kNumControls];

// Loads each bitmap once while the window is built, and lets go of them all
// afterwards (the controls keep their own references).
class Bitmaps {
 public:
  Bitmaps() = default;
  ~Bitmaps();
  Bitmaps(const Bitmaps&) = delete;
  Bitmaps& operator=(const Bitmaps&) = delete;
  CBitmap* get(int32_t id);

 private:
  static constexpr int kMaxBitmaps = 32;
  CBitmap* loaded[kMaxBitmaps] = {};
  int count = 0;
};

// A new control for one row of the table, with its bitmap, default value,
// wheel step and zoom factor; null when memory ran out.
CControl* createControl(const ControlRow& row, CControlListener* listener, Bitmaps& bitmaps);

}  // namespace layout
