// A display of a value as text.
#pragma once

#include <new>
#include <string>

#include "gui/ccontrol.h"
#include "gui/controlstyle.h"

// Turns a value into the text that a parameter display shows.
using CParamDisplayValueToStringProc = bool (*)(float value, char utf8String[256], void* userData);

// Shows its value as text over its background: the background bitmap from the
// background offset (so it looks transparent over a frame background), or a
// filled rectangle in the background colour unless transparent.
class CParamDisplay : public CControl {
 public:
  CParamDisplay(const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
  CParamDisplay(const CParamDisplay& other);
  ~CParamDisplay() override;

  void draw(CDrawContext* context) override;

  void setFont(CFontRef newFont);
  CFontRef getFont() const { return font; }
  void setFontColor(const CColor& color) { fontColor = color; }
  CColor getFontColor() const { return fontColor; }
  void setBackColor(const CColor& color) { backColor = color; }
  CColor getBackColor() const { return backColor; }
  void setFrameColor(const CColor& color) { frameColor = color; }
  CColor getFrameColor() const { return frameColor; }
  void setShadowColor(const CColor& color) { shadowColor = color; }
  CColor getShadowColor() const { return shadowColor; }
  void setHoriAlign(CHoriTxtAlign align) { horiTxtAlign = align; }
  CHoriTxtAlign getHoriAlign() const { return horiTxtAlign; }
  void setStyle(int32_t newStyle) { style = newStyle; }
  int32_t getStyle() const { return style; }
  void setAntialias(bool state) { antialias = state; }
  void setValueToStringProc(CParamDisplayValueToStringProc proc, void* userData = nullptr) {
    valueToString = proc;
    valueToStringUserData = userData;
  }
  // The text that the display shows for its current value.
  virtual std::string getDisplayText() const;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CParamDisplay(*this); }

 protected:
  void drawBack(CDrawContext* context);
  void drawText(CDrawContext* context, const std::string& text);

  CParamDisplayValueToStringProc valueToString = nullptr;
  void* valueToStringUserData = nullptr;
  CFontRef font = nullptr;
  CColor fontColor = kWhiteCColor;
  CColor backColor = kBlackCColor;
  CColor frameColor = kBlackCColor;
  CColor shadowColor = kRedCColor;
  CHoriTxtAlign horiTxtAlign = kCenterText;
  int32_t style;
  bool antialias = true;
};
