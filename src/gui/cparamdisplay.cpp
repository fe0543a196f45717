#include "gui/cparamdisplay.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"

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
  return std::strcmp(type, "CParamDisplay") == 0 || CControl::isTypeOf(type);
}
