#include "editor/cabout.h"

#include <cstring>
#include <new>

#include "editor/csplashscreenmyview.h"
#include "gui/cframe.h"

// The splash screen's arguments, then the version's place.
// NOLINTBEGIN(bugprone-easily-swappable-parameters)
CAbout::CAbout(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
               const CRect& toDisplay, const CPoint& offset, const CPoint& versionOrigin)
    : CSplashScreen(size, listener, tag, background, toDisplay, offset),
      versionOrigin(versionOrigin) {}
// NOLINTEND(bugprone-easily-swappable-parameters)

CMouseEventResult CAbout::onMouseDown(CPoint&, const CButtonState& buttons) {
  if (!buttons.isLeftButton()) {
    return kMouseEventNotHandled;
  }
  setValue(getValue() == 0.0f ? 1.0f : 0.0f);
  if (getValue() == 0.0f) {
    return kMouseEventHandled;
  }
  auto* view = new (std::nothrow) CSplashScreenMyView(toDisplay, this, versionOrigin);
  if (view == nullptr || frame == nullptr || !frame->setModalView(view)) {
    // Nothing shown: stay hidden, so the next click tries again.
    if (view != nullptr) {
      view->forget();
    }
    setValue(0.0f);
    return kMouseEventHandled;
  }
  invalid();
  return kMouseEventHandled;
}

bool CAbout::isTypeOf(const char* type) const {
  return std::strcmp(type, "CAbout") == 0 || CSplashScreen::isTypeOf(type);
}
