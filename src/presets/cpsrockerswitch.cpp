#include "cpsrockerswitch.h"

#include <cstring>

#include "gui/cbitmap.h"

void CPSRockerSwitch::draw(CDrawContext* context) {
  const float v = getValue();
  int image = hoverSide < 0 ? 1 : (hoverSide > 0 ? 2 : 0);
  if (v == -1.0f) {
    image = 3;
  } else if (v == 1.0f) {
    image = 4;
  }
  if (background != nullptr) {
    background->draw(context, size, CPoint(offset.x, offset.y + image * heightOfOneImage));
  }
  setDirty(false);
}

CMouseEventResult CPSRockerSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  setValue(static_cast<float>(sideOf(where)));
  invalid();
  valueChanged();
  return kMouseEventHandled;
}

CMouseEventResult CPSRockerSwitch::onMouseUp(CPoint& /*where*/, const CButtonState& /*buttons*/) {
  setValue(0.0f);
  invalid();
  return kMouseEventHandled;
}

CMouseEventResult CPSRockerSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    hover(size.pointInside(where) ? sideOf(where) : 0);
  }
  return kMouseEventHandled;
}

CMouseEventResult CPSRockerSwitch::onMouseEntered(CPoint& where, const CButtonState& /*buttons*/) {
  hover(sideOf(where));
  return kMouseEventHandled;
}

CMouseEventResult CPSRockerSwitch::onMouseExited(CPoint& /*where*/,
                                                 const CButtonState& /*buttons*/) {
  hover(0);
  return kMouseEventHandled;
}

void CPSRockerSwitch::hover(int side) {
  if (side != hoverSide) {
    hoverSide = side;
    invalid();
  }
}

bool CPSRockerSwitch::isTypeOf(const char* type) const {
  return std::strcmp(type, "CPSRockerSwitch") == 0 || CRockerSwitch::isTypeOf(type);
}
