#include "gui/cdrawcontext.h"

#include <algorithm>
#include <cmath>

#include "gui/cbitmap.h"

namespace {

uint32_t premultipliedColor(const CColor& c) {
  auto mul = [&c](uint8_t v) { return uint32_t((v * c.alpha + 127) / 255); };
  return uint32_t(c.alpha) << 24 | mul(c.red) << 16 | mul(c.green) << 8 | mul(c.blue);
}

// Multiplies every channel of a premultiplied pixel by a factor of 0 to 256.
uint32_t scalePixel(uint32_t p, uint32_t factor256) {
  const uint32_t rb = (((p & 0x00FF00FFu) * factor256) >> 8) & 0x00FF00FFu;
  const uint32_t ag = ((((p >> 8) & 0x00FF00FFu) * factor256) >> 8) & 0x00FF00FFu;
  return rb | (ag << 8);
}

}  // namespace

namespace {
// The standard fonts live for the whole process; users remember and forget
// them in pairs, so their count never reaches zero.
CFontDesc systemFont("Arial", 12);
CFontDesc normalFontVeryBig("Arial", 18);
CFontDesc normalFontBig("Arial", 14);
CFontDesc normalFont("Arial", 12);
CFontDesc normalFontSmall("Arial", 11);
CFontDesc normalFontSmaller("Arial", 10);
CFontDesc normalFontVerySmall("Arial", 9);
}  // namespace

const CFontRef kSystemFont = &systemFont;
const CFontRef kNormalFontVeryBig = &normalFontVeryBig;
const CFontRef kNormalFontBig = &normalFontBig;
const CFontRef kNormalFont = &normalFont;
const CFontRef kNormalFontSmall = &normalFontSmall;
const CFontRef kNormalFontSmaller = &normalFontSmaller;
const CFontRef kNormalFontVerySmall = &normalFontVerySmall;

CDrawContext::CDrawContext(const platform::PixelImage& target, int zoom)
    : image(target), zoom(zoom > 0 ? zoom : 100) {
  resetClipRect();
}

int CDrawContext::toPixel(CCoord v) const { return int(std::floor(v * zoom / 100.0)); }

uint32_t CDrawContext::getPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image.width || y >= image.height) {
    return 0;
  }
  return image.pixels[size_t(y) * size_t(image.stride) + size_t(x)];
}

void CDrawContext::setClipRect(const CRect& clip) {
  clipRect = clip;
  clipRect.bound(CRect(0, 0, image.width * 100.0 / zoom, image.height * 100.0 / zoom));
}

CRect& CDrawContext::getClipRect(CRect& clip) const {
  clip = clipRect;
  return clip;
}

void CDrawContext::resetClipRect() {
  clipRect = CRect(0, 0, image.width * 100.0 / zoom, image.height * 100.0 / zoom);
}

void CDrawContext::setFont(const CFontRef font, const CCoord& size, const int32_t& style) {
  if (font != nullptr) {
    fontName = font->getName();
    fontSize = font->getSize();
    fontStyle = font->getStyle();
  }
  if (size > 0) {
    fontSize = size;
  }
  if (style >= 0) {
    fontStyle = style;
  }
}

platform::IntRect CDrawContext::pixelRect(const CRect& rect) const {
  CRect r = rect;
  r.bound(clipRect);
  return platform::insideImage(
      {toPixel(r.left), toPixel(r.top), toPixel(r.right), toPixel(r.bottom)}, image);
}

void CDrawContext::blendPixel(uint32_t& dst, uint32_t src) const {
  const uint32_t srcAlpha = src >> 24;
  if (srcAlpha == 255) {
    dst = src;
  } else if (srcAlpha != 0) {
    dst = src + scalePixel(dst, 256 - srcAlpha - (srcAlpha >> 7));
  }
}

void CDrawContext::fillRect(const CRect& rect) {
  const platform::IntRect r = pixelRect(rect);
  const uint32_t color = premultipliedColor(fillColor);
  for (int y = r.top; y < r.bottom; ++y) {
    uint32_t* row = image.pixels + size_t(y) * size_t(image.stride);
    for (int x = r.left; x < r.right; ++x) {
      blendPixel(row[x], color);
    }
  }
}

void CDrawContext::drawRect(const CRect& rect) {
  const CColor saved = fillColor;
  fillColor = frameColor;
  fillRect(CRect(rect.left, rect.top, rect.right, rect.top + 1));
  fillRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom));
  fillRect(CRect(rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1));
  fillRect(CRect(rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1));
  fillColor = saved;
}

platform::TextStyle CDrawContext::textStyle(CHoriTxtAlign align, bool antialias) const {
  return {fontName.c_str(), fontSize * zoom / 100.0, fontStyle,  fontColor.red, fontColor.green,
          fontColor.blue,   fontColor.alpha,         int(align), antialias};
}

void CDrawContext::drawString(const char* text, const CRect& rect, CHoriTxtAlign align,
                              bool antialias) {
  if (text == nullptr || *text == 0 || fontColor.alpha == 0) {
    return;
  }
  const platform::IntRect target{toPixel(rect.left), toPixel(rect.top), toPixel(rect.right),
                                 toPixel(rect.bottom)};
  const platform::IntRect clip = pixelRect(rect);
  if (clip.right <= clip.left || clip.bottom <= clip.top) {
    return;
  }
  platform::drawText(image, text, target, clip, textStyle(align, antialias));
}

CCoord CDrawContext::getStringWidth(const char* text) {
  if (text == nullptr || *text == 0) {
    return 0;
  }
  return platform::textWidth(text, textStyle(kLeftText, true)) * 100.0 / zoom;
}

void CDrawContext::drawBitmap(CBitmap* bitmap, const CRect& dest, const CPoint& offset,
                              float alpha) {
  if (bitmap == nullptr || !bitmap->isLoaded() || alpha <= 0.0f) {
    return;
  }
  const BitmapPixels source = bitmap->pixelsAt(zoom);
  const platform::IntRect r = pixelRect(dest);
  const int originX = toPixel(dest.left);
  const int originY = toPixel(dest.top);
  const int bw = source.width;
  const int bh = source.height;
  // The offset picks an image of a stack: scaled by the set's own height ratio,
  // image k of a scaled stack starts exactly k scaled image heights down.
  const bool zoomedSet = source.scaled && zoom != 100;
  const int offX = int(std::floor(zoomedSet ? offset.x * bw / bitmap->getWidth() : offset.x));
  const int offY = int(std::floor(zoomedSet ? offset.y * bh / bitmap->getHeight() : offset.y));
  const uint32_t factor = uint32_t(std::lround(std::min(alpha, 1.0f) * 256.0f));
  const uint32_t* src = source.data;
  for (int y = r.top; y < r.bottom; ++y) {
    // A bitmap without a set for this zoom is stretched, nearest pixel.
    const int sy = source.scaled ? y - originY + offY : (y - originY) * 100 / zoom + offY;
    if (sy < 0 || sy >= bh) {
      continue;
    }
    uint32_t* row = image.pixels + size_t(y) * size_t(image.stride);
    for (int x = r.left; x < r.right; ++x) {
      const int sx = source.scaled ? x - originX + offX : (x - originX) * 100 / zoom + offX;
      if (sx < 0 || sx >= bw) {
        continue;
      }
      uint32_t p = src[size_t(sy) * size_t(bw) + size_t(sx)];
      if (factor < 256) {
        p = scalePixel(p, factor);
      }
      blendPixel(row[x], p);
    }
  }
}
