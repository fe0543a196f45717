// A push button that is pressed only while held.
#pragma once

#include <new>

#include "gui/ccontrol.h"

// Pressed (maximum, image 1) while the left button is held with the pointer
// inside; reports the press at release, then the return to the minimum.
class CKickButton : public CControl {
 public:
  CKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
              CBitmap* background, const CPoint& offset = CPoint(0, 0));
  CKickButton(const CKickButton& other) = default;
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CKickButton(*this); }
  CCoord getHeightOfOneImage() const { return heightOfOneImage; }

 protected:
  CPoint offset;
  CCoord heightOfOneImage;
  float entryState = 0.0f;
};
