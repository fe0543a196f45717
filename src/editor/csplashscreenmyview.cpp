#include "editor/csplashscreenmyview.h"

#include <cstring>
#include <string>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"
#include "gui/cframe.h"
#include "gui/csplashscreen.h"
#include "layout/windowlayout.h"
#include "ondexversion.h"

namespace {

// The box the picture leaves free for the version.
constexpr CCoord kVersionWidth = layout::kVersionText.width();
constexpr CCoord kVersionHeight = layout::kVersionText.height();
constexpr CCoord kVersionFontSize = 11;

}  // namespace

CSplashScreenMyView::CSplashScreenMyView(const CRect& size, CSplashScreen* owner,
                                         const CPoint& versionOrigin)
    : CControl(size, nullptr, 0, owner->getBackground()),
      owner(owner),
      versionOrigin(versionOrigin) {}

bool CSplashScreenMyView::isTypeOf(const char* type) const {
  return std::strcmp(type, "CSplashScreenMyView") == 0 || CControl::isTypeOf(type);
}

void CSplashScreenMyView::draw(CDrawContext* context) {
  if (background != nullptr) {
    background->draw(context, size, CPoint(0, 0), 1.0f);
  }
  context->setFontColor(kWhiteCColor);
  context->setFont(kSystemFont, kVersionFontSize);
  const CCoord left = size.left + versionOrigin.x;
  const CCoord top = size.top + versionOrigin.y;
  const std::string text = std::string("v.") + kOndexVersion;
  context->drawString(text.c_str(), CRect(left, top, left + kVersionWidth, top + kVersionHeight),
                      kLeftText, true);
  setDirty(false);
}

CMouseEventResult CSplashScreenMyView::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  owner->unSplash();
  if (frame != nullptr) {
    CFrame* parent = frame;
    parent->setDirty(true);
    parent->setModalView(nullptr);
  }
  forget();
  return kMouseEventHandled;
}
