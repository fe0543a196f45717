// A switch of positions side by side.
#pragma once

#include <new>

#include "gui/ccontrol.h"
#include "gui/imultibitmapcontrol.h"

// Positions side by side; a press or drag selects the one under the pointer.
class CHorizontalSwitch : public CControl, public IMultiBitmapControl {
 public:
  CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                    CCoord heightOfOneImage, int32_t maxPositions, CBitmap* background,
                    const CPoint& offset = CPoint(0, 0));
  CHorizontalSwitch(const CHorizontalSwitch& other) = default;
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  int32_t getMaxPositions() const { return maxPositions; }
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CHorizontalSwitch(*this); }

 protected:
  CPoint offset;
  int32_t maxPositions;
};
