#include "gui/ccontrol.h"

#include <cstring>

#include "gui/cframe.h"

CControl::CControl(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background)
    : CView(size), listener(listener), tag(tag) {
  setBackground(background);
  setDirty(false);
}

CControl::CControl(const CControl& other)
    : CView(other),
      listener(other.listener),
      tag(other.tag),
      value(other.getValue()),
      oldValue(other.getOldValue()),
      defaultValue(other.defaultValue),
      vmin(other.vmin),
      vmax(other.vmax),
      wheelInc(other.wheelInc) {}

void CControl::setValueNormalized(float val) {
  if (val < 0.0f) {
    val = 0.0f;
  } else if (val > 1.0f) {
    val = 1.0f;
  }
  setValue(vmin + val * getRange());
}

float CControl::getValueNormalized() const {
  const float range = getRange();
  return range == 0.0f ? 0.0f : (getValue() - vmin) / range;
}

void CControl::valueChanged() {
  if (listener != nullptr) {
    listener->valueChanged(this);
  }
}

void CControl::beginEdit() {
  if (++editing != 1) {
    return;
  }
  if (listener != nullptr) {
    listener->controlBeginEdit(this);
  }
  if (frame != nullptr) {
    frame->beginEdit(tag);
  }
}

void CControl::endEdit() {
  if (editing == 0 || --editing != 0) {
    return;
  }
  if (frame != nullptr) {
    frame->endEdit(tag);
  }
  if (listener != nullptr) {
    listener->controlEndEdit(this);
  }
}

bool CControl::removed(CFrame* parent) {
  if (editing > 0) {
    editing = 1;
    endEdit();
  }
  return CView::removed(parent);
}

void CControl::bounceValue() {
  const float v = getValue();
  if (v > vmax) {
    setValue(vmax);
  } else if (v < vmin) {
    setValue(vmin);
  }
}

void CControl::changeValueTo(float v) {
  const float before = getValue();
  setValue(v);
  bounceValue();
  if (getValue() != before) {
    valueChanged();
  }
  if (isDirty()) {
    invalid();
  }
}

bool CControl::checkDefaultValue(CButtonState buttons) {
  const int32_t state = buttons.getButtonState();
  if ((state & kButtonMask) != kLButton || (state & kModifierMask) != kDefaultValueModifier) {
    return false;
  }
  if (getValue() != defaultValue) {
    beginEdit();
    setValue(defaultValue);
    valueChanged();
    endEdit();
    if (isDirty()) {
      invalid();
    }
  }
  return true;
}

bool CControl::isDirty() const { return getOldValue() != getValue() || CView::isDirty(); }

void CControl::setDirty(bool state) {
  CView::setDirty(state);
  if (state) {
    setOldValue(getValue() == -1.0f ? 0.0f : -1.0f);
  } else {
    setOldValue(getValue());
  }
}

bool CControl::isTypeOf(const char* type) const {
  return std::strcmp(type, "CControl") == 0 || CView::isTypeOf(type);
}
