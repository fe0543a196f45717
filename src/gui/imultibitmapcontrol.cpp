#include "gui/imultibitmapcontrol.h"

#include <cmath>

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
