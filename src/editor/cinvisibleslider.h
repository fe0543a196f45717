// A drag area without an image: a drag or the wheel moves its value relative to
// where the drag started.
#pragma once

#include <new>

#include "gui/ccontrol.h"

// Upward and rightward movement raise the value, a vertical pixel counting twice
// a horizontal one. A full-range drag takes 1000 pixels, 4000 with kShift held
// at the press and 5000 with kShift pressed during the drag; the value stays
// continuous when a modifier changes. A wheel step moves 0.005 of the range,
// 0.0003 with kShift.
class CInvisibleSlider : public CControl {
 public:
  CInvisibleSlider(const CRect& size, CControlListener* listener, int32_t tag);
  CInvisibleSlider(const CInvisibleSlider& other) = default;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CInvisibleSlider(*this); }
  // Draws nothing: the background under the area stays visible.
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  bool isDragging() const { return dragging; }

 private:
  bool dragging = false;
  CPoint dragStart;
  CButtonState dragButtons;
  float dragBase = 0.0f;
  float dragScale = 0.0f;
};
