// The mode switch: the toolkit's horizontal switch, built with an integer
// image height.
#pragma once

#include <new>

#include "gui/chorizontalswitch.h"

class ZelSwitch : public CHorizontalSwitch {
 public:
  ZelSwitch(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
            int32_t heightOfOneImage, int32_t maxPositions, CBitmap* background,
            const CPoint& offset = CPoint(0, 0));
  ZelSwitch(const ZelSwitch& other) = default;

  bool isTypeOf(const char* type) const override;
  CView* newCopy() const override { return new (std::nothrow) ZelSwitch(*this); }
};
