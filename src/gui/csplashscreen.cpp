#include "gui/csplashscreen.h"

#include <cstring>
#include <new>

#include "gui/cbitmap.h"
#include "gui/cframe.h"

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
  splashView = new (std::nothrow) CDefaultSplashScreenView(toDisplay, this, background, offset);
}

CSplashScreen::CSplashScreen(const CSplashScreen& other)
    : CControl(other), toDisplay(other.toDisplay), offset(other.offset) {
  splashView = new (std::nothrow) CDefaultSplashScreenView(toDisplay, this, background, offset);
}

CSplashScreen::~CSplashScreen() {
  if (splashView != nullptr) {
    splashView->forget();
  }
}

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
  if (frame == nullptr || splashView == nullptr) {
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
  if (frame != nullptr && splashView != nullptr && frame->getModalView() == splashView) {
    frame->setModalView(nullptr);
    splashView->forget();
    valueChanged();
  }
}

bool CSplashScreen::removed(CFrame* parent) {
  if (frame != nullptr && splashView != nullptr && frame->getModalView() == splashView) {
    frame->setModalView(nullptr);
    splashView->forget();
  }
  return CControl::removed(parent);
}

bool CSplashScreen::isTypeOf(const char* type) const {
  return std::strcmp(type, "CSplashScreen") == 0 || CControl::isTypeOf(type);
}
