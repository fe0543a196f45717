#include "cpskickbutton.h"

#include <cstring>

CPSKickButton::CPSKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                             CCoord heightOfOneImage, CBitmap* background, bool doubleClickOnly)
    : CPSHovering<CKickButton>(size, listener, tag, heightOfOneImage, background),
      doubleClickOnly(doubleClickOnly) {}

void CPSKickButton::draw(CDrawContext* context) {
  drawStackImage(context, pressed || lit ? 2 : (hovered ? 1 : 0), heightOfOneImage);
}

void CPSKickButton::confirm(Confirmation kind) {
  confirmation = kind;
  confirmationStarted = false;
}

void CPSKickButton::followConfirmation(uint32_t now) {
  if (confirmation == Confirmation::kNone || pressed) {
    return;
  }
  if (!confirmationStarted) {
    confirmationStarted = true;
    confirmationStart = now;
  }
  const uint32_t elapsed = now - confirmationStart;  // the tick count wraps
  bool shown = false;
  if (elapsed >= kConfirmationTime) {
    confirmation = Confirmation::kNone;
  } else {
    // A removal flashes: lit, dark, lit, dark.
    shown = confirmation == Confirmation::kStored || (elapsed / kFlashTime) % 2 == 0;
  }
  if (shown != lit) {
    lit = shown;
    invalid();
  }
}

CMouseEventResult CPSKickButton::onMouseDown(CPoint& /*where*/, const CButtonState& buttons) {
  if (!buttons.isLeftButton() || (doubleClickOnly && !buttons.isDoubleClick())) {
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;  // taken, and nothing happens
  }
  pressed = true;
  const bool clear = doubleClickOnly && (buttons.getModifierState() & kControl) != 0;
  setValue(clear ? 0.5f : 1.0f);
  valueChanged();
  invalid();
  return kMouseEventHandled;
}

// The action took place at the press; dragging off the button changes nothing.
CMouseEventResult CPSKickButton::onMouseMoved(CPoint& /*where*/, const CButtonState& /*buttons*/) {
  return kMouseEventHandled;
}

CMouseEventResult CPSKickButton::onMouseUp(CPoint& /*where*/, const CButtonState& /*buttons*/) {
  setValue(0.0f);
  pressed = false;
  invalid();
  return kMouseEventHandled;
}

bool CPSKickButton::isTypeOf(const char* type) const {
  return std::strcmp(type, "CPSKickButton") == 0 || CKickButton::isTypeOf(type);
}
