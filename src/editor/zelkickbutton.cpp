#include "editor/zelkickbutton.h"

#include <cstring>

ZelKickButton::ZelKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                             int32_t heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CKickButton(size, listener, tag, CCoord(heightOfOneImage), background, offset) {
  setValue(0.0f);
}

CMouseEventResult ZelKickButton::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  setValue(1.0f);
  const int32_t modifiers = buttons.getModifierState();
  if ((modifiers & kControl) != 0) {
    stepSize = 100.0f;
  } else if ((modifiers & kShift) != 0) {
    stepSize = 10.0f;
  } else {
    stepSize = 1.0f;
  }
  beginEdit();
  invalid();
  valueChanged();
  endEdit();
  return kMouseEventHandled;
}

CMouseEventResult ZelKickButton::onMouseUp(CPoint&, const CButtonState&) {
  setValue(0.0f);
  invalid();
  return kMouseEventHandled;
}

bool ZelKickButton::isTypeOf(const char* type) const {
  return std::strcmp(type, "ZelKickButton") == 0 || CKickButton::isTypeOf(type);
}
