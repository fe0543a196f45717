#include "cpsonoffbutton.h"

#include <cstring>

void CPSOnOffButton::draw(CDrawContext* context) {
  const bool on = getValue() == 1.0f;
  const int image = hovered && !on ? 1 : (on ? 2 : 0);
  drawStackImage(context, image, background != nullptr ? background->getHeight() / 3 : 0);
}

CMouseEventResult CPSOnOffButton::onMouseDown(CPoint& /*where*/, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  setValue(1.0f - getValue());
  valueChanged();
  invalid();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool CPSOnOffButton::isTypeOf(const char* type) const {
  return std::strcmp(type, "CPSOnOffButton") == 0 || COnOffButton::isTypeOf(type);
}
