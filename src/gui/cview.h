// Views and controls: CView (rectangle, mouseable area, background bitmap,
// dirty flag, events) and CControl with its listener (value, range, default,
// tag, counted edits, wheel increment).
#pragma once

#include <atomic>

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
  virtual CView* newCopy() const { return new CView(*this); }

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

class CControl;

class CControlListener {
 public:
  virtual ~CControlListener() = default;
  virtual void valueChanged(CControl* control) = 0;
  virtual int32_t controlModifierClicked(CControl* /*control*/, CButtonState /*button*/) {
    return 0;
  }
  virtual void controlBeginEdit(CControl* /*control*/) {}
  virtual void controlEndEdit(CControl* /*control*/) {}
};

class CControl : public CView {
 public:
  CControl(const CRect& size, CControlListener* listener = nullptr, int32_t tag = 0,
           CBitmap* background = nullptr);
  CControl(const CControl& other);

  // The value is a float that another thread may set (the editor's parameter
  // updates); the toolkit redraws a control whose value changed at idle.
  virtual void setValue(float val) { value.store(val, std::memory_order_relaxed); }
  virtual float getValue() const { return value.load(std::memory_order_relaxed); }
  virtual void setValueNormalized(float val);
  virtual float getValueNormalized() const;
  virtual void setMin(float val) { vmin = val; }
  virtual float getMin() const { return vmin; }
  virtual void setMax(float val) { vmax = val; }
  virtual float getMax() const { return vmax; }
  float getRange() const { return vmax - vmin; }
  virtual void setOldValue(float val) { oldValue.store(val, std::memory_order_relaxed); }
  virtual float getOldValue() const { return oldValue.load(std::memory_order_relaxed); }
  virtual void setDefaultValue(float val) { defaultValue = val; }
  virtual float getDefaultValue() const { return defaultValue; }
  virtual void setTag(int32_t val) { tag = val; }
  int32_t getTag() const { return tag; }
  virtual void setListener(CControlListener* l) { listener = l; }
  CControlListener* getListener() const { return listener; }
  virtual void setWheelInc(float val) { wheelInc = val; }
  virtual float getWheelInc() const { return wheelInc; }

  // Tells the listener of a new value.
  virtual void valueChanged();
  // Edits are counted: only the outermost begin and end reach the listener and
  // the frame (and so the editor binding and the host).
  virtual void beginEdit();
  virtual void endEdit();
  bool isEditing() const { return editing > 0; }
  // Keeps the value within minimum and maximum.
  virtual void bounceValue();
  // A click with exactly the left button and kControl restores the default
  // value (reported to the listener inside one edit); true when it did.
  virtual bool checkDefaultValue(CButtonState buttons);

  // Dirty also when the value differs from the one last drawn.
  bool isDirty() const override;
  void setDirty(bool state = true) override;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new CControl(*this); }

 protected:
  CControlListener* listener;
  int32_t tag;
  std::atomic<float> value{0.0f};
  std::atomic<float> oldValue{1.0f};
  float defaultValue = 0.5f;
  float vmin = 0.0f;
  float vmax = 1.0f;
  float wheelInc = 0.1f;
  int32_t editing = 0;
};
