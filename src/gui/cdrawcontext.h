// Drawing into a 32-bit image (the frame's offscreen image): bitmaps with source
// offset and alpha, filled and framed rectangles, and text through the platform.
// Callers draw in 100 % coordinates; the context maps them to the image's
// pixels at its zoom, takes bitmaps from the zoom's set and scales fonts.
#pragma once

#include <string>

#include "gui/guiplatform.h"
#include "gui/guitypes.h"

class CBitmap;

class CDrawContext {
 public:
  explicit CDrawContext(const platform::PixelImage& target, int zoom = 100);

  const platform::PixelImage& getImage() const { return image; }
  // In pixels of the image.
  uint32_t getPixel(int x, int y) const;
  int getZoom() const { return zoom; }

  // Every drawing operation stays inside the clip rectangle (the image by default).
  void setClipRect(const CRect& clip);
  CRect& getClipRect(CRect& clip) const;
  void resetClipRect();

  void setFillColor(const CColor& color) { fillColor = color; }
  CColor getFillColor() const { return fillColor; }
  void setFrameColor(const CColor& color) { frameColor = color; }
  CColor getFrameColor() const { return frameColor; }
  void setFontColor(const CColor& color) { fontColor = color; }
  CColor getFontColor() const { return fontColor; }
  // A size of 0 keeps the font's own size, a style of -1 the font's own style.
  void setFont(const CFontRef font, const CCoord& size = 0, const int32_t& style = -1);
  const std::string& getFontName() const { return fontName; }
  CCoord getFontSize() const { return fontSize; }
  int32_t getFontStyle() const { return fontStyle; }

  void fillRect(const CRect& rect);
  // A frame one pixel wide just inside the rectangle.
  void drawRect(const CRect& rect);
  void drawString(const char* text, const CRect& rect, CHoriTxtAlign align = kCenterText,
                  bool antialias = true);
  // In 100 % coordinates, as every other length here.
  CCoord getStringWidth(const char* text);
  void drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset = CPoint(0, 0),
                  float alpha = 1.0f);

 private:
  platform::IntRect pixelRect(const CRect& rect) const;  // clipped to clip and image
  int toPixel(CCoord v) const;                           // the pixel holding the scaled edge
  platform::TextStyle textStyle(CHoriTxtAlign align, bool antialias) const;
  void blendPixel(uint32_t& dst, uint32_t src) const;

  platform::PixelImage image;
  int zoom;
  CRect clipRect;
  CColor fillColor = kWhiteCColor;
  CColor frameColor = kBlackCColor;
  CColor fontColor = kWhiteCColor;
  std::string fontName = "Arial";
  CCoord fontSize = 12;
  int32_t fontStyle = kNormalFace;
};
