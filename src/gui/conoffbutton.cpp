#include "gui/conoffbutton.h"

#include <cmath>
#include <cstring>
#include <new>

#include "gui/cbitmap.h"

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, int32_t tag,
                           CBitmap* background, int32_t style)
    : CControl(size, listener, tag, background), style(style) {}

void COnOffButton::draw(CDrawContext* context) {
  if (background != nullptr) {
    const CCoord off = getValue() == vmax ? std::floor(background->getHeight() / 2) : 0;
    background->draw(context, size, CPoint(0, off));
  }
  setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  setValue(getValue() == vmax ? vmin : vmax);
  invalid();
  beginEdit();
  valueChanged();
  endEdit();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COnOffButton::isTypeOf(const char* type) const {
  return std::strcmp(type, "COnOffButton") == 0 || CControl::isTypeOf(type);
}
