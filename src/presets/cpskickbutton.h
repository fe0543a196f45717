// The preset panel's store, recall and default buttons.
#pragma once

#include <cstdint>
#include <new>

#include "cpshovering.h"
#include "gui/ckickbutton.h"

// Acts as the left button goes down: value 1, or 0.5 for a default button
// clicked with the control modifier (which clears instead of storing). A
// default button acts on a double-click only, so a stray click stores nothing.
// Images: released, hovered, pressed. After a store or a removal the button
// shows that it happened: held lit for half a second from the release, or
// two short flashes for a removal, moved on by the editor's idle.
class CPSKickButton : public CPSHovering<CKickButton> {
 public:
  enum class Confirmation { kNone, kStored, kRemoved };
  static constexpr uint32_t kConfirmationTime = 500;  // milliseconds
  static constexpr uint32_t kFlashTime = 125;

  CPSKickButton(const CRect& size, CControlListener* listener, int32_t tag, CCoord heightOfOneImage,
                CBitmap* background, bool doubleClickOnly = false);

  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CPSKickButton(*this); }
  bool isPressed() const { return pressed; }
  // Starts the sign of what the action did; it runs once the button is up.
  void confirm(Confirmation kind);
  // The sign at this time (the editor's ticks); true while it is lit.
  void followConfirmation(uint32_t now);
  bool isLit() const { return lit; }

 private:
  bool doubleClickOnly;
  bool pressed = false;
  Confirmation confirmation = Confirmation::kNone;
  bool confirmationStarted = false;
  uint32_t confirmationStart = 0;
  bool lit = false;
};
