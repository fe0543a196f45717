// The about picture with the program's version written on it, shown as the
// frame's modal view; a left click anywhere on it removes it.
#pragma once

#include <new>

#include "gui/ccontrol.h"

class CSplashScreen;

class CSplashScreenMyView : public CControl {
 public:
  // Shows the owner's background over `size`; the version text starts at
  // `versionOrigin` from the view's top left.
  CSplashScreenMyView(const CRect& size, CSplashScreen* owner, const CPoint& versionOrigin);
  CSplashScreenMyView(const CSplashScreenMyView& other) = default;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CSplashScreenMyView(*this); }
  void draw(CDrawContext* context) override;
  // Hides the owner, has the whole window redrawn and releases this view.
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

 private:
  CSplashScreen* owner;
  CPoint versionOrigin;
};
