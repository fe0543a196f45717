#include "gui/cknob.h"

#include <cmath>
#include <cstring>
#include <new>

#include "gui/cbitmap.h"
#include "gui/cframe.h"

namespace {
constexpr double kTwoPi = 6.283185307179586;
}  // namespace

CKnob::CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
             const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset) {}

float CKnob::valueFromPoint(const CPoint& local) const {
  const double midX = getWidth() / 2.0;
  const double midY = getHeight() / 2.0;
  const double angle = std::atan2(midY - local.y, local.x - midX);
  const double span = std::fabs(double(rangeAngle));
  // Travel from the start angle in the direction of the range.
  double travel = rangeAngle < 0 ? double(startAngle) - angle : angle - double(startAngle);
  travel = std::fmod(travel, kTwoPi);
  if (travel < 0) {
    travel += kTwoPi;
  }
  double v = span > 0 ? travel / span : 0.0;
  if (v > 1.0) {
    // The gap between the ends: each half belongs to the nearer end.
    v = (travel - span) < (kTwoPi - span) / 2.0 ? 1.0 : 0.0;
  }
  return float(vmin + v * (vmax - vmin));
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  beginEdit();
  if (checkDefaultValue(buttons)) {
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  firstPoint = where;
  lastPoint = CPoint(-1, -1);
  oldButton = buttons;
  entryState = getValue();
  range = kLinearRange;
  // kAlt at the press switches between the linear and the circular drag.
  const int32_t knobMode = frame != nullptr ? frame->getKnobMode() : int32_t(kCircularMode);
  if (knobMode == kLinearMode) {
    dragMode = (buttons & kAlt) ? kCircularMode : kLinearMode;
  } else {
    dragMode = (buttons & kAlt) ? kLinearMode : knobMode;
  }
  if (dragMode == kLinearMode) {
    if (buttons & kZoomModifier) {
      range *= zoomFactor;
    }
    lastPoint = where;
  } else {
    CPoint local(where.x - size.left, where.y - size.top);
    startValue = valueFromPoint(local);
  }
  coef = (vmax - vmin) / range;
  return onMouseMoved(where, buttons);
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton() || (where == lastPoint && buttons == oldButton)) {
    return kMouseEventHandled;
  }
  lastPoint = where;
  const float before = getValue();
  float v = before;
  if (dragMode == kLinearMode) {
    const float diff = float((firstPoint.y - where.y) + (where.x - firstPoint.x));
    if (buttons != oldButton) {
      // A modifier pressed or released mid-drag: the value stays, the scale changes.
      float newRange = kLinearRange;
      if (buttons & kZoomModifier) {
        newRange *= zoomFactor;
      }
      const float newCoef = (vmax - vmin) / newRange;
      entryState += diff * (coef - newCoef);
      coef = newCoef;
      range = newRange;
      oldButton = buttons;
    }
    v = entryState + diff * coef;
  } else {
    const CPoint local(where.x - size.left, where.y - size.top);
    const float pointed = valueFromPoint(local);
    v = dragMode == kRelativCircularMode ? entryState + (pointed - startValue) : pointed;
    // No jump across the gap between the ends.
    const float middle = (vmax - vmin) * 0.5f;
    if (v - before > middle) {
      v = vmin;
    } else if (before - v > middle) {
      v = vmax;
    }
  }
  changeValueTo(v);
  return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&) {
  endEdit();
  return kMouseEventHandled;
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
  if (!getMouseEnabled()) {
    return false;
  }
  const float before = getValue();
  float v = getValueNormalized();
  if (buttons & kZoomModifier) {
    v += 0.1f * distance * wheelInc;
  } else {
    v += distance * wheelInc;
  }
  setValueNormalized(v);
  if (getValue() != before) {
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
  }
  return true;
}

bool CKnob::isTypeOf(const char* type) const {
  return std::strcmp(type, "CKnob") == 0 || CControl::isTypeOf(type);
}

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag,
                     CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, offset) {
  heightOfOneImage = size.getHeight();
  subPixmaps = (background != nullptr && heightOfOneImage > 0)
                   ? int32_t(background->getHeight() / heightOfOneImage)
                   : 0;
}

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t count,
                     CCoord imageHeight, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, offset) {
  heightOfOneImage = imageHeight;
  subPixmaps = count;
}

void CAnimKnob::draw(CDrawContext* context) {
  drawImage(context, background, size, offset, getValueNormalized());
  setDirty(false);
}

bool CAnimKnob::isTypeOf(const char* type) const {
  return std::strcmp(type, "CAnimKnob") == 0 || CKnob::isTypeOf(type);
}
