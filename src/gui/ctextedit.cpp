#include "gui/ctextedit.h"

#include <cmath>
#include <cstring>
#include <new>

#include "gui/cdrawcontext.h"
#include "gui/cframe.h"

namespace {

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

void CTextEdit::setEditText(const char* txt) {
  if (!editing) {
    return;
  }
  editText = clipUtf8(txt, kMaxTextBytes);
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
  return std::strcmp(type, "CTextEdit") == 0 || CParamDisplay::isTypeOf(type);
}
