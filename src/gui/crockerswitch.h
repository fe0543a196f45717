// A rocker: pressed to one side or the other, back to the middle at release.
#pragma once

#include <new>

#include "gui/ccontrol.h"
#include "gui/controlstyle.h"

// Values −1, 0 and +1: pressing the left (or upper) half gives −1, the other
// half +1, releasing 0. Images: 0 for −1, 1 for 0, 2 for +1.
class CRockerSwitch : public CControl {
 public:
  CRockerSwitch(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, const CPoint& offset = CPoint(0, 0),
                int32_t style = kHorizontal);
  CRockerSwitch(const CRockerSwitch& other) = default;
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CRockerSwitch(*this); }

 protected:
  CPoint offset;
  CCoord heightOfOneImage;
  int32_t style;
  float entryState = 0.0f;
};
