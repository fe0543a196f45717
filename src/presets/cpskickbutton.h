// The preset panel's store, recall and default buttons.
#pragma once

#include <new>

#include "cpshovering.h"
#include "gui/ckickbutton.h"

// Acts as the left button goes down: value 1, or 0.5 for a default button
// clicked with the control modifier (which clears instead of storing). A
// default button acts on a double-click only, so a stray click stores nothing.
// Images: released, hovered, pressed.
class CPSKickButton : public CPSHovering<CKickButton> {
 public:
  CPSKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, bool doubleClickOnly = false);

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CPSKickButton(*this); }
  bool isPressed() const { return pressed; }

 private:
  bool doubleClickOnly;
  bool pressed = false;
};
