// The about hotspot over the logo: a left click shows the about picture with
// the program's version over the whole window, as the frame's modal view.
#pragma once

#include <new>

#include "gui/csplashscreen.h"

class CAbout : public CSplashScreen {
 public:
  // `background` is the about picture, shown over `toDisplay` from `offset`;
  // `versionOrigin` is the version text's top left, relative to the picture's.
  CAbout(const CRect& size, CControlListener* listener, int32_t tag, CBitmap* background,
         const CRect& toDisplay, const CPoint& offset, const CPoint& versionOrigin);
  CAbout(const CAbout& other) = default;

  // Value 1 while the picture is shown, 0 while hidden. Touches no parameter:
  // no listener call and no edit.
  CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

  const CPoint& getVersionOrigin() const { return versionOrigin; }

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CAbout(*this); }

 private:
  CPoint versionOrigin;
};
