#include "cpskickbutton.h"

#include <algorithm>
#include <cstring>

#include "gui/cdrawcontext.h"

namespace {

// The panel's amber (its "A" and "B"): the lit button's glyph glows in it.
constexpr int kAmber[3] = {242, 163, 58};

// Turns the light pixels of the button's image amber, its edges in
// proportion, so the glyph reads as lit from behind.
void glowAmber(CDrawContext& context, const CRect& area) {
  for (int y = int(area.top); y < int(area.bottom); ++y) {
    for (int x = int(area.left); x < int(area.right); ++x) {
      const uint32_t pixel = context.getPixel(x, y);
      const int rgb[3] = {int((pixel >> 16) & 0xFF), int((pixel >> 8) & 0xFF), int(pixel & 0xFF)};
      const int light = (rgb[0] + rgb[1] + rgb[2]) / 3;
      const float share = std::clamp(float(light - 70) / 110.0f, 0.0f, 1.0f);
      if (share <= 0.0f) {
        continue;
      }
      uint8_t lit[3];
      for (int i = 0; i < 3; ++i) {
        lit[i] = uint8_t(float(rgb[i]) + (float(kAmber[i]) - float(rgb[i])) * share);
      }
      context.setFillColor(CColor{lit[0], lit[1], lit[2], 255});
      context.fillRect(CRect(x, y, x + 1, y + 1));
    }
  }
}

}  // namespace

CPSKickButton::CPSKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                             CCoord heightOfOneImage, CBitmap* background, bool doubleClickOnly)
    : CPSHovering<CKickButton>(size, listener, tag, heightOfOneImage, background),
      doubleClickOnly(doubleClickOnly) {}

void CPSKickButton::draw(CDrawContext* context) {
  drawStackImage(context, pressed || lit ? 2 : (hovered ? 1 : 0), heightOfOneImage);
  if (lit) {
    glowAmber(*context, size);
  }
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
