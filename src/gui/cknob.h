// Knobs: CKnob turns drags (linear, circular, relative circular) and wheel steps
// into values; CAnimKnob shows the image of its value from a stack of images.
#pragma once

#include <new>

#include "gui/ccontrol.h"
#include "gui/imultibitmapcontrol.h"

class CKnob : public CControl {
 public:
  CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
        const CPoint& offset = CPoint(0, 0));
  CKnob(const CKnob& other) = default;

  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;

  // In the linear mode a drag covers the full range over 200 pixels of upward
  // plus rightward travel, times the zoom factor with kShift held.
  void setZoomFactor(float factor) { zoomFactor = factor; }
  float getZoomFactor() const { return zoomFactor; }
  // Angles in radians, counter-clockwise from 3 o'clock; the default range runs
  // clockwise from 7:30 (minimum) to 4:30 (maximum).
  void setStartAngle(float angle) { startAngle = angle; }
  float getStartAngle() const { return startAngle; }
  void setRangeAngle(float angle) { rangeAngle = angle; }
  float getRangeAngle() const { return rangeAngle; }
  // The value that the circular modes give a point in view coordinates.
  virtual float valueFromPoint(const CPoint& local) const;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CKnob(*this); }

  static constexpr float kLinearRange = 200.0f;

 protected:
  CPoint offset;
  float zoomFactor = 1.5f;
  float startAngle = 3.92699082f;   // 5π/4
  float rangeAngle = -4.71238898f;  // −3π/2
  // Drag state.
  int32_t dragMode = kCircularMode;
  CPoint firstPoint;
  CPoint lastPoint;
  CButtonState oldButton;
  float entryState = 0.0f;
  float startValue = 0.0f;
  float range = kLinearRange;
  float coef = 0.0f;
};

class CAnimKnob : public CKnob, public IMultiBitmapControl {
 public:
  // One image per view height, as many as the bitmap holds.
  CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
            const CPoint& offset = CPoint(0, 0));
  CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
            CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
  CAnimKnob(const CAnimKnob& other) = default;
  void draw(CDrawContext* context) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CAnimKnob(*this); }
};
