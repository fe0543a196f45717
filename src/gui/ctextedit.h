// A one-line text field that edits through key events while it has the focus.
#pragma once

#include <new>
#include <string>

#include "gui/cparamdisplay.h"

// A one-line text field, edited as desktop fields are: the click that starts
// an edit selects the whole text, so typing replaces it; a click while
// editing places the caret (a drag or Shift extends the selection, a double
// click selects a word); arrows, Home and End move the caret, Shift extends,
// Ctrl+A selects all. Typing stops at the field's length in bytes, so what is
// shown is what is kept. A text wider than the field scrolls to keep the
// caret in view. Return or the loss of focus commits the text and tells the
// listener; Escape cancels.
class CTextEdit : public CParamDisplay {
 public:
  CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* text = nullptr,
            CBitmap* background = nullptr, int32_t style = 0);
  CTextEdit(const CTextEdit& other) = default;

  static constexpr size_t kMaxTextBytes = 255;
  // The longest text in UTF-8 bytes, at most kMaxTextBytes; a longer text is
  // cut between characters.
  void setMaxLength(size_t bytes);
  size_t getMaxLength() const { return maxBytes; }
  void setText(const char* text);
  const char* getText() const { return text.c_str(); }
  bool isEditing() const { return editing; }
  const std::string& getEditText() const { return editText; }
  size_t getCaret() const { return caret; }
  // The selected bytes of the text being edited, [start, end); equal when
  // nothing is selected.
  size_t getSelectionStart() const { return caret < anchor ? caret : anchor; }
  size_t getSelectionEnd() const { return caret < anchor ? anchor : caret; }
  // Replaces the text being edited (a platform's native text field edits it
  // there); nothing happens when no edit runs.
  void setEditText(const char* text);

  void draw(CDrawContext* context) override;
  std::string getDisplayText() const override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
  CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
  int32_t onKeyDown(VstKeyCode& keyCode) override;
  void takeFocus() override;
  void looseFocus() override;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CTextEdit(*this); }

 private:
  void endEditing(bool commit);
  void moveCaret(size_t to, bool extend);
  void replaceSelection(const std::string& with);
  void selectWordAt(size_t at);
  // Text geometry: the text's left edge for a text of that width, the byte
  // index nearest to a point's x, the scroll that keeps the caret shown.
  CCoord textLeft(CCoord fullWidth) const;
  CCoord widthOf(const std::string& part) const;
  size_t indexAt(CCoord x) const;
  void keepCaretVisible();
  void drawEditing(CDrawContext* context, const std::string& shown);

  std::string text;
  std::string editText;
  size_t caret = 0;
  size_t anchor = 0;  // the other end of the selection
  size_t maxBytes = kMaxTextBytes;
  CCoord scroll = 0;  // pixels of a long text hidden left of the field
  bool editing = false;
  bool selecting = false;  // a drag from a press inside the field
};
