#include "editor/cinvisibleslider.h"

#include <cstring>

namespace {

constexpr float kPixelsPerRange = 1000.0f;
constexpr float kPixelsPerRangeShiftAtPress = 4000.0f;
constexpr float kPixelsPerRangeShiftInDrag = 5000.0f;
constexpr float kWheelStep = 0.005f;
constexpr float kWheelStepFine = 0.0003f;

bool shiftHeld(const CButtonState& buttons) { return (buttons & kShift) != 0; }

}  // namespace

CInvisibleSlider::CInvisibleSlider(const CRect& size, CControlListener* listener, int32_t tag)
    : CControl(size, listener, tag, nullptr) {}

bool CInvisibleSlider::isTypeOf(const char* type) const {
  return std::strcmp(type, "CInvisibleSlider") == 0 || CControl::isTypeOf(type);
}

void CInvisibleSlider::draw(CDrawContext*) { setDirty(false); }

CMouseEventResult CInvisibleSlider::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  dragging = true;
  beginEdit();
  dragBase = getValue();
  dragButtons = buttons;
  dragStart = where;
  dragScale = getRange() / (shiftHeld(buttons) ? kPixelsPerRangeShiftAtPress : kPixelsPerRange);
  return onMouseMoved(where, buttons);
}

CMouseEventResult CInvisibleSlider::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  // Only a drag that began on this area moves it: a press elsewhere dragged
  // across it would otherwise change the value outside any edit, measured from
  // an old start point.
  if (!buttons.isLeftButton() || !dragging) {
    return kMouseEventNotHandled;
  }
  const float travel = float(0.5 * (where.x - dragStart.x) + (dragStart.y - where.y));
  if (buttons != dragButtons) {
    // A modifier changed during the drag: rebase so the value does not jump.
    const float scale =
        getRange() / (shiftHeld(buttons) ? kPixelsPerRangeShiftInDrag : kPixelsPerRange);
    dragBase += (dragScale - scale) * travel;
    dragScale = scale;
    dragButtons = buttons;
  }
  setValue(travel * dragScale + dragBase);
  bounceValue();
  invalid();
  valueChanged();
  return kMouseEventHandled;
}

CMouseEventResult CInvisibleSlider::onMouseUp(CPoint&, const CButtonState&) {
  endEdit();
  dragging = false;
  return kMouseEventHandled;
}

bool CInvisibleSlider::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
  setValue(getValue() + distance * (shiftHeld(buttons) ? kWheelStepFine : kWheelStep));
  bounceValue();
  if (listener != nullptr) {
    beginEdit();
    valueChanged();
    endEdit();
  }
  return true;
}
