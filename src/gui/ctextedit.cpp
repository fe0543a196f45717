#include "gui/ctextedit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "common/utf8text.h"
#include "gui/cdrawcontext.h"
#include "gui/cframe.h"

namespace {

constexpr CCoord kMargin = 2;  // between a scrolled text and the field's edges

bool isWordByte(char c) { return c != ' ' && c != '\t'; }

}  // namespace

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* txt,
                     CBitmap* background, int32_t style)
    : CParamDisplay(size, background, style) {
  setListener(listener);
  setTag(tag);
  setText(txt);
}

void CTextEdit::setMaxLength(size_t bytes) {
  maxBytes = std::min(bytes, kMaxTextBytes);
  setText(text.c_str());
  if (editing && editText.size() > maxBytes) {
    setEditText(editText.c_str());
  }
}

void CTextEdit::setText(const char* txt) {
  const std::string clipped = utf8::clip(txt, maxBytes);
  if (clipped != text) {
    text = clipped;
    setDirty(true);
  }
}

std::string CTextEdit::getDisplayText() const { return editing ? editText : text; }

CCoord CTextEdit::widthOf(const std::string& part) const {
  if (part.empty()) {
    return 0;
  }
  CDrawContext measure({nullptr, 0, 0, 0});
  measure.setFont(font);
  return measure.getStringWidth(part.c_str());
}

CCoord CTextEdit::textLeft(CCoord fullWidth) const {
  if (fullWidth > getWidth() - 2 * kMargin) {
    return size.left + kMargin - scroll;  // too long: scrolled, from the left
  }
  if (horiTxtAlign == kCenterText) {
    return size.left + (getWidth() - fullWidth) / 2;
  }
  return horiTxtAlign == kRightText ? size.right - fullWidth : size.left;
}

size_t CTextEdit::indexAt(CCoord x) const {
  const std::string& shown = editing ? editText : text;
  const CCoord left = textLeft(widthOf(shown));
  // The boundary nearest to x: past the middle of a character is after it.
  size_t at = 0;
  CCoord before = 0;
  while (at < shown.size()) {
    const size_t end = utf8::next(shown, at);
    const CCoord after = widthOf(shown.substr(0, end));
    if (x < left + (before + after) / 2) {
      break;
    }
    at = end;
    before = after;
  }
  return at;
}

void CTextEdit::keepCaretVisible() {
  const CCoord room = getWidth() - 2 * kMargin;
  const CCoord full = widthOf(editText);
  if (full <= room) {
    scroll = 0;
    return;
  }
  const CCoord x = widthOf(editText.substr(0, caret));
  if (x - scroll < 0) {
    scroll = x;
  } else if (x - scroll > room) {
    scroll = x - room;
  }
  scroll = std::clamp(scroll, CCoord(0), full - room);
}

void CTextEdit::draw(CDrawContext* context) {
  if (!(style & kNoDrawStyle)) {
    drawBack(context);
    const std::string shown = getDisplayText();
    const bool fits = widthOf(shown) <= getWidth() - 2 * kMargin;
    if (!editing && fits) {
      drawText(context, shown);
    } else {
      drawEditing(context, shown);
    }
  }
  setDirty(false);
}

// Text that scrolls, a selection drawn inverted, and the caret, all kept
// inside the field.
void CTextEdit::drawEditing(CDrawContext* context, const std::string& shown) {
  CRect oldClip;
  context->getClipRect(oldClip);
  CRect clip = size;
  clip.bound(oldClip);
  context->setClipRect(clip);
  context->setFont(font);
  const CCoord full = widthOf(shown);
  const CCoord left = std::floor(textLeft(full));
  const CRect line(left, size.top, left + full + 4, size.bottom);
  context->setFontColor(fontColor);
  if (!(style & kNoTextStyle)) {
    context->drawString(shown.c_str(), line, kLeftText, antialias);
  }
  if (editing) {
    const size_t from = getSelectionStart();
    const size_t to = getSelectionEnd();
    if (from != to) {
      CRect band(left + std::floor(widthOf(shown.substr(0, from))), size.top + 1,
                 left + std::ceil(widthOf(shown.substr(0, to))), size.bottom - 1);
      band.bound(clip);
      context->setFillColor(fontColor);
      context->fillRect(band);
      context->setClipRect(band);
      context->setFontColor(backColor);
      context->drawString(shown.c_str(), line, kLeftText, antialias);
    } else {
      // The caret: one pixel wide, in the font colour, after the text before it.
      const CCoord x = std::floor(left + widthOf(shown.substr(0, caret)));
      context->setFillColor(fontColor);
      context->fillRect(CRect(x, size.top + 2, x + 1, size.bottom - 2));
    }
  }
  context->setClipRect(oldClip);
}

CMouseEventResult CTextEdit::onMouseDown(CPoint& where, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  if (!editing) {
    if (frame != nullptr) {
      frame->setFocusView(this);
    } else {
      takeFocus();
    }
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  if (buttons.isDoubleClick()) {
    selectWordAt(indexAt(where.x));
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
  }
  moveCaret(indexAt(where.x), (buttons.getModifierState() & kShift) != 0);
  selecting = true;
  return kMouseEventHandled;
}

CMouseEventResult CTextEdit::onMouseMoved(CPoint& where, const CButtonState& buttons) {
  if (selecting && editing && buttons.isLeftButton()) {
    moveCaret(indexAt(where.x), true);
  }
  return kMouseEventHandled;
}

CMouseEventResult CTextEdit::onMouseUp(CPoint& /*where*/, const CButtonState& /*buttons*/) {
  selecting = false;
  return kMouseEventHandled;
}

void CTextEdit::takeFocus() {
  if (editing) {
    return;
  }
  editing = true;
  editText = text;
  anchor = 0;  // the whole text selected: typing replaces it
  caret = editText.size();
  keepCaretVisible();
  invalid();
}

void CTextEdit::setEditText(const char* txt) {
  if (!editing) {
    return;
  }
  editText = utf8::clip(txt, maxBytes);
  caret = anchor = editText.size();
  keepCaretVisible();
  invalid();
}

void CTextEdit::looseFocus() { endEditing(true); }

void CTextEdit::endEditing(bool commit) {
  if (!editing) {
    return;
  }
  editing = false;
  selecting = false;
  scroll = 0;
  if (commit) {
    beginEdit();
    setText(editText.c_str());
    valueChanged();
    endEdit();
  }
  invalid();
}

void CTextEdit::moveCaret(size_t to, bool extend) {
  caret = std::min(to, editText.size());
  if (!extend) {
    anchor = caret;
  }
  keepCaretVisible();
  invalid();
}

void CTextEdit::replaceSelection(const std::string& with) {
  const size_t from = getSelectionStart();
  editText.replace(from, getSelectionEnd() - from, with);
  caret = anchor = from + with.size();
  keepCaretVisible();
}

void CTextEdit::selectWordAt(size_t at) {
  size_t from = std::min(at, editText.size());
  size_t to = from;
  while (from > 0 && isWordByte(editText[from - 1])) {
    --from;
  }
  while (to < editText.size() && isWordByte(editText[to])) {
    ++to;
  }
  anchor = from;
  caret = to;
  keepCaretVisible();
  invalid();
}

int32_t CTextEdit::onKeyDown(VstKeyCode& key) {
  if (!editing) {
    return -1;
  }
  const bool shift = (key.modifier & MODIFIER_SHIFT) != 0;
  const bool command = (key.modifier & (MODIFIER_CONTROL | MODIFIER_COMMAND)) != 0;
  const bool selected = caret != anchor;
  switch (key.virt) {
    case VKEY_RETURN:
    case VKEY_ENTER:
    case VKEY_ESCAPE:
      endEditing(key.virt != VKEY_ESCAPE);
      if (frame != nullptr && frame->getFocusView() == this) {
        frame->setFocusView(nullptr);
      }
      return 1;
    case VKEY_BACK:
      if (!selected) {
        anchor = utf8::previous(editText, caret);
      }
      replaceSelection({});
      break;
    case VKEY_DELETE:
      if (!selected) {
        anchor = utf8::next(editText, caret);
      }
      replaceSelection({});
      break;
    case VKEY_LEFT:
      // A selection collapses to its side; otherwise one whole character.
      moveCaret(selected && !shift ? getSelectionStart() : utf8::previous(editText, caret), shift);
      break;
    case VKEY_RIGHT:
      moveCaret(selected && !shift ? getSelectionEnd() : utf8::next(editText, caret), shift);
      break;
    case VKEY_HOME:
      moveCaret(0, shift);
      break;
    case VKEY_END:
      moveCaret(editText.size(), shift);
      break;
    default: {
      uint32_t cp = key.character > 0 ? uint32_t(key.character) : 0;
      if (cp == 0 && key.virt == VKEY_SPACE) {
        cp = ' ';
      }
      if (command && (cp == 'a' || cp == 'A')) {
        anchor = 0;
        moveCaret(editText.size(), true);
        break;
      }
      if (cp < 0x20 || cp == 0x7F || command) {
        return -1;
      }
      std::string encoded;
      utf8::append(encoded, cp);
      // A character that does not fit is refused whole: what is shown is kept.
      const size_t kept = editText.size() - (getSelectionEnd() - getSelectionStart());
      if (kept + encoded.size() <= maxBytes) {
        replaceSelection(encoded);
      }
      break;
    }
  }
  invalid();
  return 1;
}

bool CTextEdit::isTypeOf(const char* type) const {
  return std::strcmp(type, "CTextEdit") == 0 || CParamDisplay::isTypeOf(type);
}
