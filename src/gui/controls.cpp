#include "gui/controls.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"
#include "gui/cframe.h"

namespace {

bool typeIs(const char* type, const char* name) { return std::strcmp(type, name) == 0; }

constexpr double kTwoPi = 6.283185307179586;

// Appends a code point as UTF-8.
void appendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x110000) {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// At most `limit` bytes, never cutting a UTF-8 sequence.
std::string clipUtf8(const char* text, size_t limit) {
  std::string s = text != nullptr ? text : "";
  if (s.size() > limit) {
    size_t end = limit;
    while (end > 0 && isContinuation(s[end])) {
      --end;
    }
    s.resize(end);
  }
  return s;
}

}  // namespace

int32_t IMultiBitmapControl::imageIndex(float normalized) const {
  if (subPixmaps <= 1) {
    return 0;
  }
  int32_t index = int32_t(normalized * float(subPixmaps - 1) + 0.5f);
  if (index < 0) {
    index = 0;
  } else if (index > subPixmaps - 1) {
    index = subPixmaps - 1;
  }
  return index;
}

// ---------------------------------------------------------------- CKnob

CKnob::CKnob(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
             const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset) {}

float CKnob::valueFromPoint(const CPoint& local) const {
  const double midX = getWidth() / 2.0;
  const double midY = getHeight() / 2.0;
  const double angle = std::atan2(midY - local.y, local.x - midX);
  const double span = std::fabs(double(rangeAngle));
  // Travel from the start angle in the direction of the range.
  double travel = rangeAngle < 0 ? double(startAngle) - angle : angle - double(startAngle);
  travel = std::fmod(travel, kTwoPi);
  if (travel < 0) {
    travel += kTwoPi;
  }
  double v = span > 0 ? travel / span : 0.0;
  if (v > 1.0) {
    // The gap between the ends: each half belongs to the nearer end.
    v = (travel - span) < (kTwoPi - span) / 2.0 ? 1.0 : 0.0;
  }
  return float(vmin + v * (vmax - vmin));
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  beginEdit();
  if (checkDefaultValue(buttons)) {
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  firstPoint = where;
  lastPoint = CPoint(-1, -1);
  oldButton = buttons;
  entryState = getValue();
  range = kLinearRange;
  // kAlt at the press switches between the linear and the circular drag.
  const int32_t knobMode = frame != nullptr ? frame->getKnobMode() : int32_t(kCircularMode);
  if (knobMode == kLinearMode) {
    dragMode = (buttons & kAlt) ? kCircularMode : kLinearMode;
  } else {
    dragMode = (buttons & kAlt) ? kLinearMode : knobMode;
  }
  if (dragMode == kLinearMode) {
    if (buttons & kZoomModifier) {
      range *= zoomFactor;
    }
    lastPoint = where;
  } else {
    CPoint local(where.x - size.left, where.y - size.top);
    startValue = valueFromPoint(local);
  }
  coef = (vmax - vmin) / range;
  return onMouseMoved(where, buttons);
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton() || (where == lastPoint && buttons == oldButton)) {
    return kMouseEventHandled;
  }
  lastPoint = where;
  const float before = getValue();
  float v = before;
  if (dragMode == kLinearMode) {
    const float diff = float((firstPoint.y - where.y) + (where.x - firstPoint.x));
    if (buttons != oldButton) {
      // A modifier pressed or released mid-drag: the value stays, the scale changes.
      float newRange = kLinearRange;
      if (buttons & kZoomModifier) {
        newRange *= zoomFactor;
      }
      const float newCoef = (vmax - vmin) / newRange;
      entryState += diff * (coef - newCoef);
      coef = newCoef;
      range = newRange;
      oldButton = buttons;
    }
    v = entryState + diff * coef;
  } else {
    const CPoint local(where.x - size.left, where.y - size.top);
    const float pointed = valueFromPoint(local);
    v = dragMode == kRelativCircularMode ? entryState + (pointed - startValue) : pointed;
    // No jump across the gap between the ends.
    const float middle = (vmax - vmin) * 0.5f;
    if (v - before > middle) {
      v = vmin;
    } else if (before - v > middle) {
      v = vmax;
    }
  }
  setValue(v);
  bounceValue();
  if (getValue() != before) {
    valueChanged();
  }
  if (isDirty()) {
    invalid();
  }
  return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&) {
  endEdit();
  return kMouseEventHandled;
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
  if (!getMouseEnabled()) {
    return false;
  }
  const float before = getValue();
  float v = getValueNormalized();
  if (buttons & kZoomModifier) {
    v += 0.1f * distance * wheelInc;
  } else {
    v += distance * wheelInc;
  }
  setValueNormalized(v);
  if (getValue() != before) {
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
  }
  return true;
}

bool CKnob::isTypeOf(const char* type) const {
  return typeIs(type, "CKnob") || CControl::isTypeOf(type);
}

// ---------------------------------------------------------------- CAnimKnob

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag,
                     CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, offset) {
  heightOfOneImage = size.getHeight();
  subPixmaps = (background != nullptr && heightOfOneImage > 0)
                   ? int32_t(background->getHeight() / heightOfOneImage)
                   : 0;
}

CAnimKnob::CAnimKnob(const CRect& size, CControlListener* listener, int32_t tag, int32_t count,
                     CCoord imageHeight, CBitmap* background, const CPoint& offset)
    : CKnob(size, listener, tag, background, offset) {
  heightOfOneImage = imageHeight;
  subPixmaps = count;
}

void CAnimKnob::draw(CDrawContext* context) {
  if (background != nullptr) {
    const CPoint where(offset.x, offset.y + heightOfOneImage * imageIndex(getValueNormalized()));
    background->draw(context, size, where);
  }
  setDirty(false);
}

bool CAnimKnob::isTypeOf(const char* type) const {
  return typeIs(type, "CAnimKnob") || CKnob::isTypeOf(type);
}

// ---------------------------------------------------------------- CMovieBitmap

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag,
                           int32_t count, CCoord imageHeight, CBitmap* background,
                           const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset) {
  heightOfOneImage = imageHeight;
  subPixmaps = count;
}

void CMovieBitmap::draw(CDrawContext* context) {
  if (background != nullptr) {
    const CPoint where(offset.x, offset.y + heightOfOneImage * imageIndex(getValueNormalized()));
    background->draw(context, size, where);
  }
  setDirty(false);
}

bool CMovieBitmap::isTypeOf(const char* type) const {
  return typeIs(type, "CMovieBitmap") || CControl::isTypeOf(type);
}

// ---------------------------------------------------------------- CKickButton

CKickButton::CKickButton(const CRect& size, CControlListener* listener, int32_t tag,
                         CCoord heightOfOneImage, CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), heightOfOneImage(heightOfOneImage) {}

void CKickButton::draw(CDrawContext* context) {
  if (background != nullptr) {
    const CPoint where(offset.x, offset.y + (getValue() == vmax ? heightOfOneImage : 0));
    background->draw(context, size, where);
  }
  setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  entryState = getValue();
  beginEdit();
  return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (buttons.isLeftButton()) {
    setValue(size.pointInside(where) ? vmax : vmin);
    if (isDirty()) {
      invalid();
    }
  }
  return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&) {
  if (getValue() > vmin) {
    valueChanged();
  }
  setValue(vmin);
  valueChanged();
  if (isDirty()) {
    invalid();
  }
  endEdit();
  return kMouseEventHandled;
}

bool CKickButton::isTypeOf(const char* type) const {
  return typeIs(type, "CKickButton") || CControl::isTypeOf(type);
}

// ---------------------------------------------------------------- COnOffButton

COnOffButton::COnOffButton(const CRect& size, CControlListener* listener, int32_t tag,
                           CBitmap* background, int32_t style)
    : CControl(size, listener, tag, background), style(style) {}

void COnOffButton::draw(CDrawContext* context) {
  if (background != nullptr) {
    const CCoord off = getValue() == vmax ? std::floor(background->getHeight() / 2) : 0;
    background->draw(context, size, CPoint(0, off));
  }
  setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  setValue(getValue() == vmax ? vmin : vmax);
  invalid();
  beginEdit();
  valueChanged();
  endEdit();
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

bool COnOffButton::isTypeOf(const char* type) const {
  return typeIs(type, "COnOffButton") || CControl::isTypeOf(type);
}

// ---------------------------------------------------------------- CHorizontalSwitch

CHorizontalSwitch::CHorizontalSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                                     int32_t count, CCoord imageHeight, int32_t maxPositions,
                                     CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset), maxPositions(maxPositions) {
  heightOfOneImage = imageHeight;
  subPixmaps = count;
}

void CHorizontalSwitch::draw(CDrawContext* context) {
  if (background != nullptr) {
    const CPoint where(offset.x, offset.y + heightOfOneImage * imageIndex(getValueNormalized()));
    background->draw(context, size, where);
  }
  setDirty(false);
}

CMouseEventResult CHorizontalSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  if (checkDefaultValue(buttons)) {
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  beginEdit();
  return onMouseMoved(where, buttons);
}

CMouseEventResult CHorizontalSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventHandled;
  }
  // Position width: the bitmap's width shared by its images.
  double positionWidth = getWidth() / (maxPositions > 0 ? maxPositions : 1);
  if (background != nullptr && subPixmaps > 0) {
    positionWidth = background->getWidth() / subPixmaps;
  }
  const float before = getValue();
  float v = vmin;
  if (maxPositions > 1 && positionWidth > 0) {
    const int32_t position = int32_t(std::floor((where.x - size.left) / positionWidth));
    v = vmin + float(position) / float(maxPositions - 1) * getRange();
  }
  setValue(v);
  bounceValue();
  if (getValue() != before) {
    valueChanged();
  }
  if (isDirty()) {
    invalid();
  }
  return kMouseEventHandled;
}

CMouseEventResult CHorizontalSwitch::onMouseUp(CPoint&, const CButtonState&) {
  endEdit();
  return kMouseEventHandled;
}

bool CHorizontalSwitch::isTypeOf(const char* type) const {
  return typeIs(type, "CHorizontalSwitch") || CControl::isTypeOf(type);
}

// ---------------------------------------------------------------- CRockerSwitch

CRockerSwitch::CRockerSwitch(const CRect& size, CControlListener* listener, int32_t tag,
                             CCoord heightOfOneImage, CBitmap* background, const CPoint& offset,
                             int32_t style)
    : CControl(size, listener, tag, background),
      offset(offset),
      heightOfOneImage(heightOfOneImage),
      style(style) {
  setMin(-1.0f);
  setMax(1.0f);
  setValue(0.0f);
}

void CRockerSwitch::draw(CDrawContext* context) {
  if (background != nullptr) {
    const float v = getValue();
    const int image = v == vmin ? 0 : (v == vmax ? 2 : 1);
    background->draw(context, size, CPoint(offset.x, offset.y + heightOfOneImage * image));
  }
  setDirty(false);
}

CMouseEventResult CRockerSwitch::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  entryState = getValue();
  beginEdit();
  return onMouseMoved(where, buttons);
}

CMouseEventResult CRockerSwitch::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventHandled;
  }
  const float before = getValue();
  float v = entryState;
  if (size.pointInside(where)) {
    const bool firstHalf = (style & kVertical) ? where.y < size.top + getHeight() / 2
                                               : where.x < size.left + getWidth() / 2;
    v = firstHalf ? vmin : vmax;
  }
  setValue(v);
  if (getValue() != before) {
    valueChanged();
  }
  if (isDirty()) {
    invalid();
  }
  return kMouseEventHandled;
}

CMouseEventResult CRockerSwitch::onMouseUp(CPoint&, const CButtonState&) {
  const float before = getValue();
  setValue(0.0f);
  if (before != 0.0f) {
    valueChanged();
  }
  if (isDirty()) {
    invalid();
  }
  endEdit();
  return kMouseEventHandled;
}

bool CRockerSwitch::onWheel(const CPoint&, const float& distance, const CButtonState&) {
  if (!getMouseEnabled() || distance == 0.0f) {
    return false;
  }
  beginEdit();
  setValue(distance > 0 ? vmin : vmax);
  valueChanged();
  setValue(0.0f);
  valueChanged();
  endEdit();
  invalid();
  return true;
}

bool CRockerSwitch::isTypeOf(const char* type) const {
  return typeIs(type, "CRockerSwitch") || CControl::isTypeOf(type);
}

// ---------------------------------------------------------------- CParamDisplay

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int32_t style)
    : CControl(size, nullptr, -1, background), style(style) {
  setFont(kNormalFont);
}

CParamDisplay::CParamDisplay(const CParamDisplay& other)
    : CControl(other),
      valueToString(other.valueToString),
      valueToStringUserData(other.valueToStringUserData),
      fontColor(other.fontColor),
      backColor(other.backColor),
      frameColor(other.frameColor),
      shadowColor(other.shadowColor),
      horiTxtAlign(other.horiTxtAlign),
      style(other.style),
      antialias(other.antialias) {
  setFont(other.font);
}

CParamDisplay::~CParamDisplay() {
  if (font != nullptr) {
    font->forget();
  }
}

void CParamDisplay::setFont(CFontRef newFont) {
  if (newFont != nullptr) {
    newFont->remember();
  }
  if (font != nullptr) {
    font->forget();
  }
  font = newFont;
  setDirty(true);
}

std::string CParamDisplay::getDisplayText() const {
  char text[256] = {0};
  if (valueToString != nullptr) {
    if (!valueToString(getValue(), text, valueToStringUserData)) {
      text[0] = 0;
    }
    text[255] = 0;
  } else {
    std::snprintf(text, sizeof text, "%2.3f", double(getValue()));
  }
  return text;
}

void CParamDisplay::drawBack(CDrawContext* context) {
  if (background != nullptr) {
    background->draw(context, size, backOffset);
  } else if (!getTransparency()) {
    context->setFillColor(backColor);
    context->fillRect(size);
    if (!(style & (k3DIn | k3DOut | kNoFrame))) {
      context->setFrameColor(frameColor);
      context->drawRect(size);
    }
  }
  if (style & (k3DIn | k3DOut)) {
    // Light and dark edges: the frame colour on the lit side, the shadow on the other.
    const CColor lit = (style & k3DIn) ? shadowColor : frameColor;
    const CColor dark = (style & k3DIn) ? frameColor : shadowColor;
    context->setFillColor(lit);
    context->fillRect(CRect(size.left, size.top, size.right, size.top + 1));
    context->fillRect(CRect(size.left, size.top, size.left + 1, size.bottom));
    context->setFillColor(dark);
    context->fillRect(CRect(size.left, size.bottom - 1, size.right, size.bottom));
    context->fillRect(CRect(size.right - 1, size.top, size.right, size.bottom));
  }
}

void CParamDisplay::drawText(CDrawContext* context, const std::string& text) {
  if ((style & kNoTextStyle) || text.empty()) {
    return;
  }
  context->setFont(font);
  if (style & kShadowText) {
    CRect shadow = size;
    shadow.offset(1, 1);
    context->setFontColor(shadowColor);
    context->drawString(text.c_str(), shadow, horiTxtAlign, antialias);
  }
  context->setFontColor(fontColor);
  context->drawString(text.c_str(), size, horiTxtAlign, antialias);
}

void CParamDisplay::draw(CDrawContext* context) {
  if (!(style & kNoDrawStyle)) {
    drawBack(context);
    drawText(context, getDisplayText());
  }
  setDirty(false);
}

bool CParamDisplay::isTypeOf(const char* type) const {
  return typeIs(type, "CParamDisplay") || CControl::isTypeOf(type);
}

// ---------------------------------------------------------------- CTextEdit

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* txt,
                     CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style) {
  setListener(listener);
  setTag(tag);
  setText(txt);
}

void CTextEdit::setText(const char* txt) {
  const std::string clipped = clipUtf8(txt, kMaxTextBytes);
  if (clipped != text) {
    text = clipped;
    setDirty(true);
  }
}

std::string CTextEdit::getDisplayText() const { return editing ? editText : text; }

void CTextEdit::draw(CDrawContext* context) {
  if (!(style & kNoDrawStyle)) {
    drawBack(context);
    const std::string shown = getDisplayText();
    drawText(context, shown);
    if (editing) {
      // The caret: one pixel wide, in the font colour, after the text before it.
      context->setFont(font);
      const CCoord full = context->getStringWidth(shown.c_str());
      const CCoord before = context->getStringWidth(shown.substr(0, caret).c_str());
      CCoord start = size.left;
      if (horiTxtAlign == kCenterText) {
        start = size.left + (getWidth() - full) / 2;
      } else if (horiTxtAlign == kRightText) {
        start = size.right - full;
      }
      const CCoord x = std::floor(start + before);
      context->setFillColor(fontColor);
      context->fillRect(CRect(x, size.top + 2, x + 1, size.bottom - 2));
    }
  }
  setDirty(false);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  if (frame != nullptr) {
    frame->setFocusView(this);
  } else {
    takeFocus();
  }
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus() {
  if (editing) {
    return;
  }
  editing = true;
  editText = text;
  caret = editText.size();
  invalid();
}

void CTextEdit::looseFocus() { endEditing(true); }

void CTextEdit::endEditing(bool commit) {
  if (!editing) {
    return;
  }
  editing = false;
  if (commit) {
    beginEdit();
    setText(editText.c_str());
    valueChanged();
    endEdit();
  }
  invalid();
}

int32_t CTextEdit::onKeyDown(VstKeyCode& key) {
  if (!editing) {
    return -1;
  }
  switch (key.virt) {
    case VKEY_RETURN:
    case VKEY_ENTER:
      endEditing(true);
      if (frame != nullptr && frame->getFocusView() == this) {
        frame->setFocusView(nullptr);
      }
      return 1;
    case VKEY_ESCAPE:
      endEditing(false);
      if (frame != nullptr && frame->getFocusView() == this) {
        frame->setFocusView(nullptr);
      }
      return 1;
    case VKEY_BACK:
      if (caret > 0) {
        size_t start = caret - 1;
        while (start > 0 && isContinuation(editText[start])) {
          --start;
        }
        editText.erase(start, caret - start);
        caret = start;
      }
      break;
    case VKEY_DELETE:
      if (caret < editText.size()) {
        size_t end = caret + 1;
        while (end < editText.size() && isContinuation(editText[end])) {
          ++end;
        }
        editText.erase(caret, end - caret);
      }
      break;
    case VKEY_LEFT:
      while (caret > 0) {
        --caret;
        if (!isContinuation(editText[caret])) {
          break;
        }
      }
      break;
    case VKEY_RIGHT:
      while (caret < editText.size()) {
        ++caret;
        if (caret == editText.size() || !isContinuation(editText[caret])) {
          break;
        }
      }
      break;
    case VKEY_HOME:
      caret = 0;
      break;
    case VKEY_END:
      caret = editText.size();
      break;
    default: {
      uint32_t cp = key.character > 0 ? uint32_t(key.character) : 0;
      if (cp == 0 && key.virt == VKEY_SPACE) {
        cp = ' ';
      }
      if (cp < 0x20 || cp == 0x7F || (key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND))) {
        return -1;
      }
      std::string encoded;
      appendUtf8(encoded, cp);
      if (editText.size() + encoded.size() <= kMaxTextBytes) {
        editText.insert(caret, encoded);
        caret += encoded.size();
      }
      break;
    }
  }
  invalid();
  return 1;
}

bool CTextEdit::isTypeOf(const char* type) const {
  return typeIs(type, "CTextEdit") || CParamDisplay::isTypeOf(type);
}

// ---------------------------------------------------------------- COptionMenu

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
    items.push_back(new CMenuItem(*item));
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
  auto* item = new CMenuItem(title, flags);
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
  return chooseEntry(frame->popupMenu(this));
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
  return typeIs(type, "COptionMenu") || CParamDisplay::isTypeOf(type);
}

// ---------------------------------------------------------------- CSplashScreen

namespace {

// The splash screen's own modal view: its bitmap over the display area; a left
// press anywhere on it removes it.
class CDefaultSplashScreenView : public CView {
 public:
  CDefaultSplashScreenView(const CRect& area, CSplashScreen* owner, CBitmap* bitmap,
                           const CPoint& offset)
      : CView(area), owner(owner) {
    setBackground(bitmap);
    setBackOffset(offset);
  }
  CMouseEventResult onMouseDown(CPoint&, const CButtonState& buttons) override {
    if (!buttons.isLeftButton()) {
      return kMouseEventNotHandled;
    }
    owner->unSplash();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }

 private:
  CSplashScreen* owner;
};

}  // namespace

CSplashScreen::CSplashScreen(const CRect& size, CControlListener* listener, int32_t tag,
                             CBitmap* background, const CRect& toDisplay, const CPoint& offset)
    : CControl(size, listener, tag, background), toDisplay(toDisplay), offset(offset) {
  splashView = new CDefaultSplashScreenView(toDisplay, this, background, offset);
}

CSplashScreen::CSplashScreen(const CSplashScreen& other)
    : CControl(other), toDisplay(other.toDisplay), offset(other.offset) {
  splashView = new CDefaultSplashScreenView(toDisplay, this, background, offset);
}

CSplashScreen::~CSplashScreen() { splashView->forget(); }

void CSplashScreen::draw(CDrawContext*) { setDirty(false); }

CMouseEventResult CSplashScreen::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  setValue(getValue() == vmin ? vmax : vmin);
  if (getValue() != vmin) {
    splash();
  }
  return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CSplashScreen::splash() {
  if (frame == nullptr) {
    return;
  }
  splashView->remember();
  if (frame->setModalView(splashView)) {
    setValue(vmax);
    valueChanged();
  } else {
    splashView->forget();
  }
}

void CSplashScreen::unSplash() {
  setValue(vmin);
  if (frame != nullptr && frame->getModalView() == splashView) {
    frame->setModalView(nullptr);
    splashView->forget();
    valueChanged();
  }
}

bool CSplashScreen::removed(CFrame* parent) {
  if (frame != nullptr && frame->getModalView() == splashView) {
    frame->setModalView(nullptr);
    splashView->forget();
  }
  return CControl::removed(parent);
}

bool CSplashScreen::isTypeOf(const char* type) const {
  return typeIs(type, "CSplashScreen") || CControl::isTypeOf(type);
}
