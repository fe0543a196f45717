// The scene both window tests show: a knob, a text field, a menu and a probe
// view in a frame, built the same way for the window and the headless copy.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/toolkit.h"
#include "guitest.h"

namespace guitest {

struct Controls {
  CAnimKnob* knob = nullptr;
  CTextEdit* text = nullptr;
  COptionMenu* menu = nullptr;
  ProbeView* probe = nullptr;
};

// Knob (10,10)-(50,50), text (60,10)-(190,30), menu (60,40)-(190,60) with
// "One", "Two", a separator and "Four", probe (10,70)-(60,110).
Controls populate(CFrame& frame, CControlListener* listener, std::vector<std::string>* log,
                  std::vector<std::unique_ptr<RegisteredBitmap>>& keep);

}  // namespace guitest
