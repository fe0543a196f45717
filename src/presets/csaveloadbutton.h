// The preset panel's load and save buttons.
#pragma once

#include <new>

#include "cpshovering.h"
#include "gui/ckickbutton.h"

// Acts as a button goes down: value 0.5 for a plain right click (which loads
// in the other byte order), else 1; back to 0 once the listener is done (its
// dialog shows the button pressed meanwhile). Images: released, hovered, pressed.
class CSaveLoadButton : public CPSHovering<CKickButton> {
 public:
  using CPSHovering<CKickButton>::CPSHovering;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CSaveLoadButton(*this); }
};
