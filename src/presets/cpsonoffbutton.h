// The preset panel's MIDI learn and unassign buttons.
#pragma once

#include <new>

#include "cpshovering.h"
#include "gui/conoffbutton.h"

// Toggles at a left press. Three images: off, hovered while off, on.
class CPSOnOffButton : public CPSHovering<COnOffButton> {
 public:
  using CPSHovering<COnOffButton>::CPSHovering;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CPSOnOffButton(*this); }
};
