// A step button: reports once, at the press, with a step size chosen by the
// modifier keys held.
#pragma once

#include <new>

#include "gui/ckickbutton.h"

class ZelKickButton : public CKickButton {
 public:
  ZelKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                int32_t heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
  ZelKickButton(const ZelKickButton& other) = default;

  // Pressed image and one report inside one edit; the step size is 1, 10 with
  // kShift, 100 with kControl (which wins over kShift).
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  // Released image; no report.
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;

  // The step size of the last press, read by the listener as it hears of it.
  float getStepSize() const { return stepSize; }

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) ZelKickButton(*this); }

 private:
  float stepSize = 1.0f;
};
