#include "gui/chorizontalswitch.h"

#include <cmath>
#include <cstring>
#include <new>

#include "gui/cbitmap.h"

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                                     int32_t count, CCoord imageHeight, int32_t maxPositions,
                                     CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), maxPositions(maxPositions) {
  heightOfOneImage = imageHeight;
  subPixmaps = count;
}

void CHorizontalSwitch::draw(CDrawContext* context) {
  drawImage(context, background, size, offset, getValueNormalized());
  setDirty(false);
}

CMouseEventResult CHorizontalSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  if (checkDefaultValue(buttons)) {
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  beginEdit();
  return onMouseMoved(where, buttons);
}

CMouseEventResult CHorizontalSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventHandled;
  }
  // Position width: the bitmap's width shared by its images (the view's, when
  // the bitmap could not be loaded).
  double positionWidth = getWidth() / (maxPositions > 0 ? maxPositions : 1);
  if (background != nullptr && background->isLoaded() && subPixmaps > 0) {
    positionWidth = background->getWidth() / subPixmaps;
  }
  float v = vmin;
  if (maxPositions > 1 && positionWidth > 0) {
    const int32_t position = int32_t(std::floor((where.x - size.left) / positionWidth));
    v = vmin + float(position) / float(maxPositions - 1) * getRange();
  }
  changeValueTo(v);
  return kMouseEventHandled;
}

CMouseEventResult CHorizontalSwitch::onMouseUp(CPoint&, const CButtonState&) {
  endEdit();
  return kMouseEventHandled;
}

bool CHorizontalSwitch::isTypeOf(const char* type) const {
  return std::strcmp(type, "CHorizontalSwitch") == 0 || CControl::isTypeOf(type);
}
