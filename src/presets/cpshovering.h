// The preset panel's buttons light up while the pointer is over them.
#pragma once

#include "gui/cbitmap.h"
#include "gui/ccontrol.h"

template <class Button>
class CPSHovering : public Button {
 public:
  using Button::Button;

  CMouseEventResult onMouseEntered(CPoint& /*where*/, const CButtonState& /*buttons*/) override {
    hovered = true;
    this->invalid();
    return kMouseEventHandled;
  }
  CMouseEventResult onMouseExited(CPoint& /*where*/, const CButtonState& /*buttons*/) override {
    hovered = false;
    this->invalid();
    return kMouseEventHandled;
  }
  bool isHovered() const { return hovered; }

 protected:
  // Image `index` of the bitmap's stack, at full opacity over the control.
  void drawStackImage(CDrawContext* context, int index, CCoord imageHeight) {
    if (this->background != nullptr) {
      this->background->draw(context, this->size, CPoint(0, index * imageHeight));
    }
    this->setDirty(false);
  }

  bool hovered = false;
};
