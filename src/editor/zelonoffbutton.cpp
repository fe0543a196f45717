#include "editor/zelonoffbutton.h"

#include <cmath>
#include <cstring>

#include "common/steps.h"
#include "gui/cbitmap.h"

ZelOnOffButton::ZelOnOffButton(const CRect& size, CControlListener* listener, int32_t tag,
                               CBitmap* background)
    : COnOffButton(size, listener, tag, background, 0) {}

void ZelOnOffButton::draw(CDrawContext* context) {
  if (background != nullptr) {
    const bool on = stepIndex(getValue(), 2) == 1;
    const CCoord off = on ? std::floor(background->getHeight() / 2) : 0;
    background->draw(context, size, CPoint(0, off), 1.0f);
  }
  setDirty(false);
}

CMouseEventResult ZelOnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  beginEdit();
  setValue((float(1 - stepIndex(getValue(), 2)) + 0.5f) / 2.0f);
  valueChanged();
  endEdit();
  invalid();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool ZelOnOffButton::isTypeOf(const char* type) const {
  return std::strcmp(type, "ZelOnOffButton") == 0 || COnOffButton::isTypeOf(type);
}
