#include "gui/cmoviebitmap.h"

#include <cstring>

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag,
                           int32_t count, CCoord imageHeight, CBitmap* background,
                           const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset) {
  heightOfOneImage = imageHeight;
  subPixmaps = count;
}

void CMovieBitmap::draw(CDrawContext* context) {
  drawImage(context, background, size, offset, getValueNormalized());
  setDirty(false);
}

bool CMovieBitmap::isTypeOf(const char* type) const {
  return std::strcmp(type, "CMovieBitmap") == 0 || CControl::isTypeOf(type);
}
