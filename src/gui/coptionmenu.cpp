#include "gui/coptionmenu.h"

#include <cmath>
#include <cstring>
#include <new>

#include "gui/cbitmap.h"
#include "gui/cframe.h"

COptionMenu::COptionMenu(const CRect& size, CControlListener* listener, int32_t tag,
                         CBitmap* background, CBitmap* clickBitmap, int32_t style)
    : CParamDisplay(size, background, style), bgWhenClick(clickBitmap) {
  setListener(listener);
  setTag(tag);
  setMin(0.0f);
  setMax(0.0f);
  if (bgWhenClick != nullptr) {
    bgWhenClick->remember();
  }
}

COptionMenu::COptionMenu(const COptionMenu& other)
    : CParamDisplay(other),
      bgWhenClick(other.bgWhenClick),
      itemsPerColumn(other.itemsPerColumn),
      lastResult(other.lastResult) {
  if (bgWhenClick != nullptr) {
    bgWhenClick->remember();
  }
  for (const CMenuItem* item : other.items) {
    if (auto* copy = new (std::nothrow) CMenuItem(*item)) {
      items.push_back(copy);
    }
  }
}

COptionMenu::~COptionMenu() {
  removeAllEntry();
  if (bgWhenClick != nullptr) {
    bgWhenClick->forget();
  }
}

CMenuItem* COptionMenu::addEntry(const char* title, int32_t index, int32_t itemFlags) {
  int32_t flags = itemFlags;
  if (title != nullptr && std::strcmp(title, "-") == 0) {
    flags |= CMenuItem::kSeparator;
  }
  auto* item = new (std::nothrow) CMenuItem(title, flags);
  if (item == nullptr) {
    return nullptr;
  }
  if (index < 0 || index >= int32_t(items.size())) {
    items.push_back(item);
  } else {
    items.insert(items.begin() + index, item);
  }
  setMax(float(items.size() - 1));
  setDirty(true);
  return item;
}

CMenuItem* COptionMenu::getEntry(int32_t index) const {
  return index >= 0 && index < int32_t(items.size()) ? items[size_t(index)] : nullptr;
}

bool COptionMenu::removeEntry(int32_t index) {
  CMenuItem* item = getEntry(index);
  if (item == nullptr) {
    return false;
  }
  items.erase(items.begin() + index);
  item->forget();
  setMax(items.empty() ? 0.0f : float(items.size() - 1));
  bounceValue();
  setDirty(true);
  return true;
}

bool COptionMenu::removeAllEntry() {
  for (CMenuItem* item : items) {
    item->forget();
  }
  items.clear();
  setMax(0.0f);
  setValue(0.0f);
  return true;
}

bool COptionMenu::setCurrent(int32_t index) {
  if (getEntry(index) == nullptr) {
    return false;
  }
  setValue(float(index));
  return true;
}

int32_t COptionMenu::getCurrentIndex() const { return int32_t(std::floor(getValue() + 0.5f)); }

bool COptionMenu::checkEntry(int32_t index, bool state) {
  CMenuItem* item = getEntry(index);
  if (item == nullptr) {
    return false;
  }
  item->setChecked(state);
  return true;
}

bool COptionMenu::chooseEntry(int32_t index) {
  const CMenuItem* item = getEntry(index);
  if (item == nullptr || !item->isEnabled() || item->isSeparator() || item->isTitle()) {
    return false;
  }
  lastResult = index;
  beginEdit();
  setValue(float(index));
  valueChanged();
  endEdit();
  invalid();
  return true;
}

bool COptionMenu::popup() {
  if (frame == nullptr || items.empty()) {
    return false;
  }
  // The choice may come at a later idle pass: a menu taken off the frame
  // meanwhile reports nothing.
  frame->popupMenu(this, [this](int32_t chosen) {
    if (isAttached()) {
      chooseEntry(chosen);
    }
  });
  return true;
}

std::string COptionMenu::getDisplayText() const {
  const CMenuItem* item = getCurrent();
  return item != nullptr ? item->getTitle() : "";
}

CMouseEventResult COptionMenu::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!(buttons & (kLButton | kRButton))) {
    return kMouseEventNotHandled;
  }
  popup();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COptionMenu::isTypeOf(const char* type) const {
  return std::strcmp(type, "COptionMenu") == 0 || CParamDisplay::isTypeOf(type);
}
