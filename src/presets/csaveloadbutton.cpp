#include "csaveloadbutton.h"

#include <cstring>

void CSaveLoadButton::draw(CDrawContext* context) {
  drawStackImage(context, getValue() != 0.0f ? 2 : (hovered ? 1 : 0), heightOfOneImage);
}

CMouseEventResult CSaveLoadButton::onMouseDown(CPoint& /*where*/, const CButtonState& buttons) {
  if (!buttons.isLeftButton() && !buttons.isRightButton()) {
    return kMouseEventNotHandled;
  }
  setValue(buttons.getButtonState() == kRButton ? 0.5f : 1.0f);
  invalid();
  valueChanged();
  setValue(0.0f);
  invalid();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CSaveLoadButton::isTypeOf(const char* type) const {
  return std::strcmp(type, "CSaveLoadButton") == 0 || CKickButton::isTypeOf(type);
}
