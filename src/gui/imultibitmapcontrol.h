// The image stack of a control whose bitmap holds several images.
#pragma once

#include "gui/guitypes.h"

class CBitmap;
class CDrawContext;

// Controls whose bitmap stacks several images top to bottom.
class IMultiBitmapControl {
 public:
  virtual ~IMultiBitmapControl() = default;
  void setHeightOfOneImage(CCoord height) { heightOfOneImage = height; }
  CCoord getHeightOfOneImage() const { return heightOfOneImage; }
  void setNumSubPixmaps(int32_t count) { subPixmaps = count; }
  int32_t getNumSubPixmaps() const { return subPixmaps; }

 protected:
  // Image int(v·(n − 1) + 0.5) for the normalized value v of n images.
  int32_t imageIndex(float normalized) const;
  // Draws that image of `bitmap` into `rect`, the stack starting at `offset`.
  void drawImage(CDrawContext* context, CBitmap* bitmap, const CRect& rect, const CPoint& offset,
                 float normalized) const;
  CCoord heightOfOneImage = 0;
  int32_t subPixmaps = 0;
};
