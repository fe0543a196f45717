// The controls that set the delay time, or in clock mode the tempo and the
// note length: the mode switch, the step buttons and the two drag areas, with
// the lock that infinite repeat puts on all of them and the one a host's tempo
// puts on the tempo.
#include <algorithm>
#include <cmath>

#include "editor/editor.h"
#include "editor/editorlayout.h"
#include "editor/zelkickbutton.h"
#include "plugin/zel.h"

namespace {

// Entries of the note-length tables, as steps of their parameters.
constexpr float kNumeratorStep = 1.0f / kNumeratorSteps;
constexpr float kDenominatorStep = 1.0f / kDenominatorSteps;
// The narrow area stops half a millisecond short of either end.
constexpr float kNarrowLowest = 0.00015620119f;
constexpr float kNarrowHighest = 0.9998438f;

}  // namespace

void Editor::editParameter(int32_t index, float value) {
  beginEdit(index);
  automate(index, value);
  endEdit(index);
}

void Editor::modeSwitched(CControl* control) {
  if (isOn(kRptInf)) {
    control->setValue(getParameter(kDlyClk));
    return;
  }
  showingTempo = false;
  showingSetDelay = false;
  const float v = control->getValue();
  automate(kDlyClk, v);
  setDragAreas(std::sqrt(v == 0.0f ? getParameter(kDlyTime) : zel->getTempo() / kHighestTempo));
}

void Editor::stepPressed(CControl* control) {
  showingTempo = false;
  if (isOn(kRptInf)) {
    return;
  }
  const auto* button = dynamic_cast<const ZelKickButton*>(control);
  const float step = button != nullptr ? button->getStepSize() : 1.0f;
  const bool up = control->getTag() == layout::kStepUp;
  if (isOn(kDlyClk)) {
    // A plain click moves to the next note length, a click with a modifier to
    // the previous one; both wrap around.
    const int32_t index = up ? kDen : kNum;
    const float delta = index == kNum ? kNumeratorStep : kDenominatorStep;
    float v = getParameter(index);
    if (step == 1.0f) {
      v += delta;
      if (v > 1.0f) {
        v = 0.0f;
      }
    } else {
      v -= delta;
      if (v < 0.0f) {
        v = 1.0f;
      }
    }
    editParameter(index, v);
    return;
  }
  showingSetDelay = true;
  setDelayShownSince = getTicks();
  const float ms = up ? step : -step;
  editParameter(kDlyTime, std::clamp(getParameter(kDlyTime) + ms / kMaxDelayMs, 0.0f, 1.0f));
  setDragAreas(std::sqrt(getParameter(kDlyTime)));
}

void Editor::dragAreaMoved(CControl* control) {
  if (isOn(kRptInf)) {
    control->setValue(std::sqrt(getParameter(kDlyTime)));
    return;
  }
  const float v = control->getValue();
  if (isOn(kDlyClk)) {
    showingTempo = true;
    tempoShownSince = getTicks();
    if (zel->tempoFromHost()) {
      // The host's tempo would undo the drag at its next block, after a moment
      // of a wrong delay: the areas stay at the host's tempo, which the
      // display shows.
      setDragAreas(std::sqrt(zel->getTempo() / kHighestTempo));
      return;
    }
    zel->setTempoFromControl(v * v);
  } else {
    showingSetDelay = true;
    setDelayShownSince = getTicks();
    float d = v * v;
    if (control->getTag() == layout::kNarrowArea) {
      d = std::clamp(d, kNarrowLowest, kNarrowHighest);
    }
    editParameter(kDlyTime, d);
  }
  const int32_t sibling =
      control->getTag() == layout::kNarrowArea ? layout::kDisplayArea : layout::kNarrowArea;
  if (controls[sibling] != nullptr) {
    controls[sibling]->setValue(v);
  }
}
