// The view: a rectangle of the frame with a mouseable area, a background bitmap
// and offset, a dirty flag, drawing and the mouse and key events.
#pragma once

#include <new>

#include "gui/guitypes.h"
#include "host/vst2.h"

class CBitmap;
class CDrawContext;
class CFrame;

class CView : public CBaseObject {
 public:
  explicit CView(const CRect& size);
  CView(const CView& other);
  ~CView() override;
  CView& operator=(const CView&) = delete;

  // Drawing: the background bitmap at the view's rectangle, from the background
  // offset; then the view is clean.
  virtual void draw(CDrawContext* context);
  // Marks the view for redrawing at the frame's next idle pass.
  virtual void invalid();
  virtual void setDirty(bool state = true) { dirty = state; }
  virtual bool isDirty() const { return dirty; }

  virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseEntered(CPoint& where, const CButtonState& buttons);
  virtual CMouseEventResult onMouseExited(CPoint& where, const CButtonState& buttons);
  // True when the view used the wheel step.
  virtual bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons);
  // 1 when the view used the key, -1 when not.
  virtual int32_t onKeyDown(VstKeyCode& keyCode);
  virtual int32_t onKeyUp(VstKeyCode& keyCode);
  // The keyboard focus arrives or leaves (text fields edit while they hold it).
  virtual void takeFocus() {}
  virtual void looseFocus() {}

  virtual bool hitTest(const CPoint& where, const CButtonState& buttons = 0);
  virtual void setMouseEnabled(bool state = true) { mouseEnabled = state; }
  virtual bool getMouseEnabled() const { return mouseEnabled; }
  virtual void setMouseableArea(const CRect& rect) { mouseableArea = rect; }
  virtual CRect& getMouseableArea(CRect& rect) const {
    rect = mouseableArea;
    return rect;
  }
  const CRect& getMouseableArea() const { return mouseableArea; }

  // Setting the size also sets the mouseable area to it.
  virtual void setViewSize(const CRect& rect, bool invalidate = true);
  const CRect& getViewSize() const { return size; }
  CRect& getViewSize(CRect& rect) const {
    rect = size;
    return rect;
  }
  CCoord getWidth() const { return size.getWidth(); }
  CCoord getHeight() const { return size.getHeight(); }

  virtual void setBackground(CBitmap* bitmap);
  CBitmap* getBackground() const { return background; }
  virtual void setBackOffset(const CPoint& offset) { backOffset = offset; }
  const CPoint& getBackOffset() const { return backOffset; }
  virtual void setTransparency(bool state) { transparent = state; }
  bool getTransparency() const { return transparent; }

  // The frame that holds the view; set while the view is in a frame.
  CFrame* getFrame() const { return frame; }
  virtual bool attached(CFrame* parent);
  virtual bool removed(CFrame* parent);
  bool isAttached() const { return frame != nullptr; }

  bool isTypeOf(const char* type) const override;
  virtual CView* newCopy() const { return new (std::nothrow) CView(*this); }

 protected:
  CRect size;
  CRect mouseableArea;
  CFrame* frame = nullptr;
  CBitmap* background = nullptr;
  CPoint backOffset;
  bool dirty = false;
  bool mouseEnabled = true;
  bool transparent = false;
};
