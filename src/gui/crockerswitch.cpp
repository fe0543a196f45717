#include "gui/crockerswitch.h"

#include <cstring>
#include <new>

#include "gui/cbitmap.h"

CRockerSwitch::CRockerSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                             CCoord heightOfOneImage, CBitmap* background, const CPoint& offset,
                             int32_t style)
    : CControl(size, listener, tag, background),
      offset(offset),
      heightOfOneImage(heightOfOneImage),
      style(style) {
  setMin(-1.0f);
  setMax(1.0f);
  setValue(0.0f);
}

void CRockerSwitch::draw(CDrawContext* context) {
  if (background != nullptr) {
    const float v = getValue();
    const int image = v == vmin ? 0 : (v == vmax ? 2 : 1);
    background->draw(context, size, CPoint(offset.x, offset.y + heightOfOneImage * image));
  }
  setDirty(false);
}

CMouseEventResult CRockerSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  entryState = getValue();
  beginEdit();
  return onMouseMoved(where, buttons);
}

CMouseEventResult CRockerSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventHandled;
  }
  const float before = getValue();
  float v = entryState;
  if (size.pointInside(where)) {
    const bool firstHalf = (style & kVertical) ? where.y < size.top + getHeight() / 2
                                               : where.x < size.left + getWidth() / 2;
    v = firstHalf ? vmin : vmax;
  }
  setValue(v);
  if (getValue() != before) {
    valueChanged();
  }
  if (isDirty()) {
    invalid();
  }
  return kMouseEventHandled;
}

CMouseEventResult CRockerSwitch::onMouseUp(CPoint&, const CButtonState&) {
  const float before = getValue();
  setValue(0.0f);
  if (before != 0.0f) {
    valueChanged();
  }
  if (isDirty()) {
    invalid();
  }
  endEdit();
  return kMouseEventHandled;
}

bool CRockerSwitch::onWheel(const CPoint&, const float& distance, const CButtonState&) {
  if (!getMouseEnabled() || distance == 0.0f) {
    return false;
  }
  beginEdit();
  setValue(distance > 0 ? vmin : vmax);
  valueChanged();
  setValue(0.0f);
  valueChanged();
  endEdit();
  invalid();
  return true;
}

bool CRockerSwitch::isTypeOf(const char* type) const {
  return std::strcmp(type, "CRockerSwitch") == 0 || CControl::isTypeOf(type);
}
