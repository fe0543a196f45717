// A hotspot that shows a picture over the frame as its modal view.
#pragma once

#include <new>

#include "gui/ccontrol.h"

class CSplashScreen : public CControl {
 public:
  // A press with the left button shows `background` over `toDisplay` (from
  // `offset` in the bitmap) as the frame's modal view; a press on it removes it.
  CSplashScreen(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
                const CRect& toDisplay, const CPoint& offset = CPoint(0, 0));
  CSplashScreen(const CSplashScreen& other);
  ~CSplashScreen() override;

  // Draws nothing: the hotspot is invisible.
  void draw(CDrawContext* context) override;
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
  bool removed(CFrame* parent) override;
  virtual void splash();
  // Value back to the minimum; removes the modal view only when it is this
  // splash screen's own.
  virtual void unSplash();
  const CRect& getDisplayArea() const { return toDisplay; }

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CSplashScreen(*this); }

 protected:
  CRect toDisplay;
  CPoint offset;
  CView* splashView = nullptr;
};
