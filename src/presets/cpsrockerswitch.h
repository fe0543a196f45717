// The preset panel's previous / next program switch.
#pragma once

#include <new>

#include "gui/crockerswitch.h"

// A press on the left half gives -1, on the right half +1, the release 0 (not
// reported). Five images: released, left half hovered, right half hovered,
// left pressed, right pressed.
class CPSRockerSwitch : public CRockerSwitch {
 public:
  using CRockerSwitch::CRockerSwitch;

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CPSRockerSwitch(*this); }
  int getHoverSide() const { return hoverSide; }

 private:
  int sideOf(const CPoint& where) const { return where.x < size.left + getWidth() / 2 ? -1 : 1; }
  void hover(int side);
  int hoverSide = 0;
};
