#include "gui/imultibitmapcontrol.h"

#include <cmath>

#include "gui/cbitmap.h"

int32_t IMultiBitmapControl::imageIndex(float normalized) const {
  if (subPixmaps <= 1) {
    return 0;
  }
  const auto index = int32_t(std::floor(normalized * float(subPixmaps - 1) + 0.5f));
  if (index < 0) {
    return 0;
  }
  return index > subPixmaps - 1 ? subPixmaps - 1 : index;
}

void IMultiBitmapControl::drawImage(CDrawContext* context, CBitmap* bitmap, const CRect& rect,
                                    const CPoint& offset, float normalized) const {
  if (bitmap != nullptr) {
    bitmap->draw(context, rect,
                 CPoint(offset.x, offset.y + heightOfOneImage * imageIndex(normalized)));
  }
}
