// An on/off button that works on the two halves of the value range.
#pragma once

#include <new>

#include "gui/conoffbutton.h"

// Shows its on image for any value from 0.5 up, so that a value from the host
// or a preset shows the state the effect uses; a press sets 0.75 when it was
// off and 0.25 when it was on (the centres of the two halves).
class ZelOnOffButton : public COnOffButton {
 public:
  ZelOnOffButton(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background);
  ZelOnOffButton(const ZelOnOffButton& other) = default;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) ZelOnOffButton(*this); }
};
