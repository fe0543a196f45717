// A one-line text field that edits through key events while it has the focus.
#pragma once

#include <new>
#include <string>

#include "gui/cparamdisplay.h"

// A one-line text field. A left click gives it the keyboard focus and starts an
// edit; keys then type into it (characters, backspace, delete, arrows,
// home/end). Return or the loss of focus commits the text and tells the
// listener; Escape cancels.
class CTextEdit : public CParamDisplay {
 public:
  CTextEdit(const CRect& size, CControlListener* listener, int32_t tag, const char* text = nullptr,
            CBitmap* background = nullptr, int32_t style = 0);
  CTextEdit(const CTextEdit& other) = default;

  static constexpr size_t kMaxTextBytes = 255;
  void setText(const char* text);
  const char* getText() const { return text.c_str(); }
  bool isEditing() const { return editing; }
  const std::string& getEditText() const { return editText; }
  size_t getCaret() const { return caret; }
  // Replaces the text being edited (a platform's native text field edits it
  // there); nothing happens when no edit runs.
  void setEditText(const char* text);

  void draw(CDrawContext* context) override;
  std::string getDisplayText() const override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  int32_t onKeyDown(VstKeyCode& keyCode) override;
  void takeFocus() override;
  void looseFocus() override;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CTextEdit(*this); }

 private:
  void endEditing(bool commit);
  std::string text;
  std::string editText;
  size_t caret = 0;
  bool editing = false;
};
