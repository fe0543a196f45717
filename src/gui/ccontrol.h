// A control: a view with a value in a range, a default value, a tag and a
// listener that hears of changes, with counted edit gestures and a wheel step.
#pragma once

#include <atomic>
#include <new>

#include "gui/cview.h"

class CControl;

class CControlListener {
 public:
  virtual ~CControlListener() = default;
  virtual void valueChanged(CControl* control) = 0;
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

  // Removed from the frame (the window closing) in the middle of a gesture:
  // the gesture still ends, for the listener and the host.
  bool removed(CFrame* parent) override;

  // Dirty also when the value differs from the one last drawn.
  bool isDirty() const override;
  void setDirty(bool state = true) override;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CControl(*this); }

 protected:
  // A value reached by moving the pointer: kept in range, reported when it
  // differs from the value before, and redrawn.
  void changeValueTo(float v);

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
