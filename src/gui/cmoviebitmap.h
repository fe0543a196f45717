// A control that only shows the image of its value from a stack of images.
#pragma once

#include <new>

#include "gui/ccontrol.h"
#include "gui/imultibitmapcontrol.h"

class CMovieBitmap : public CControl, public IMultiBitmapControl {
 public:
  CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
               CCoord heightOfOneImage, CBitmap* background, const CPoint& offset = CPoint(0, 0));
  CMovieBitmap(const CMovieBitmap& other) = default;
  void draw(CDrawContext* context) override;
  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) CMovieBitmap(*this); }

 protected:
  CPoint offset;
};
