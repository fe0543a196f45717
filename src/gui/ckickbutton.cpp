#include "gui/ckickbutton.h"

#include <cstring>
#include <new>

#include "gui/cbitmap.h"

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                         CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background),
      offset(offset),
      heightOfOneImage(heightOfOneImage) {}

void CKickButton::draw(CDrawContext* context) {
  if (background != nullptr) {
    const CPoint where(offset.x, offset.y + (getValue() == vmax ? heightOfOneImage : 0));
    background->draw(context, size, where);
  }
  setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  entryState = getValue();
  beginEdit();
  return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (buttons.isLeftButton()) {
    setValue(size.pointInside(where) ? vmax : vmin);
    if (isDirty()) {
      invalid();
    }
  }
  return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&) {
  if (getValue() > vmin) {
    valueChanged();
  }
  setValue(vmin);
  valueChanged();
  if (isDirty()) {
    invalid();
  }
  endEdit();
  return kMouseEventHandled;
}

bool CKickButton::isTypeOf(const char* type) const {
  return std::strcmp(type, "CKickButton") == 0 || CControl::isTypeOf(type);
}
