#include "editor/zelswitch.h"

#include <cstring>

ZelSwitch::ZelSwitch(const CRect& size, CControlListener* listener, int32_t tag, int32_t subPixmaps,
                     int32_t heightOfOneImage, int32_t maxPositions, CBitmap* background,
                     const CPoint& offset)
    : CHorizontalSwitch(size, listener, tag, subPixmaps, CCoord(heightOfOneImage), maxPositions,
                        background, offset) {}

bool ZelSwitch::isTypeOf(const char* type) const {
  return std::strcmp(type, "ZelSwitch") == 0 || CHorizontalSwitch::isTypeOf(type);
}
