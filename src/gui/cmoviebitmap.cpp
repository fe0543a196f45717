#include "gui/cmoviebitmap.h"

#include <cstring>
#include <new>

#include "gui/cbitmap.h"

CMovieBitmap::CMovieBitmap(const CRect& size, CControlListener* listener, int32_t tag,
                           int32_t count, CCoord imageHeight, CBitmap* background,
                           const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset) {
  heightOfOneImage = imageHeight;
  subPixmaps = count;
}

void CMovieBitmap::draw(CDrawContext* context) {
  if (background != nullptr) {
    const CPoint where(offset.x, offset.y + heightOfOneImage * imageIndex(getValueNormalized()));
    background->draw(context, size, where);
  }
  setDirty(false);
}

bool CMovieBitmap::isTypeOf(const char* type) const {
  return std::strcmp(type, "CMovieBitmap") == 0 || CControl::isTypeOf(type);
}
