#include "gui/imultibitmapcontrol.h"



int32_t IMultiBitmapControl::imageIndex(float normalized) const {
  if (subPixmaps <= 1) {
    return 0;
  }
  int32_t index = int32_t(normalized * float(subPixmaps - 1) + 0.5f);
  if (index < 0) {
    index = 0;
  } else if (index > subPixmaps - 1) {
    index = subPixmaps - 1;
  }
  return index;
}
