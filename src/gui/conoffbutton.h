// A button that toggles at each press.
#pragma once

#include <new>

#include "gui/ccontrol.h"

// Toggles between minimum and maximum at each left press.
class COnOffButton : public CControl {
 public:
  COnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
               int32_t style = 0);
  COnOffButton(const COnOffButton& other) = default;
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  int32_t getStyle() const { return style; }
  void setStyle(int32_t newStyle) { style = newStyle; }
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) COnOffButton(*this); }

 protected:
  int32_t style;
};
