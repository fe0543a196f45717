// Text for the toolkit on Windows: GDI draws into a 32-bit DIB holding a copy
// of the clipped part of the frame's image, which is then copied back.
#include <windows.h>

#include <cmath>
#include <cstring>
#include <string>

#include "gui/guiplatform.h"
#include "gui/guitypes.h"
#include "platform/windows/dibheader.h"
#include "platform/windows/utf16.h"

namespace platform {
namespace {

HFONT createFont(const TextStyle& style) {
  const std::wstring name = widen(style.fontName != nullptr ? style.fontName : "Arial");
  return CreateFontW(
      -int(std::lround(style.size > 0 ? style.size : 12.0)), 0, 0, 0,
      (style.style & kBoldFace) ? FW_BOLD : FW_NORMAL, (style.style & kItalicFace) ? TRUE : FALSE,
      (style.style & kUnderlineFace) ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
      CLIP_DEFAULT_PRECIS, style.antialias ? ANTIALIASED_QUALITY : NONANTIALIASED_QUALITY,
      DEFAULT_PITCH | FF_SWISS, name.c_str());
}

uint32_t blend(uint32_t under, uint32_t over, uint32_t alpha) {
  uint32_t out = 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t a = (under >> shift) & 0xFF;
    const uint32_t b = (over >> shift) & 0xFF;
    out |= ((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
  }
  return out;
}

}  // namespace

void drawText(const PixelImage& image, const char* utf8, const IntRect& rect, const IntRect& clip,
              const TextStyle& style) {
  const int width = clip.right - clip.left;
  const int height = clip.bottom - clip.top;
  if (utf8 == nullptr || *utf8 == 0 || width <= 0 || height <= 0) {
    return;
  }
  const std::wstring text = widen(utf8);
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) {
    return;
  }
  const BITMAPINFO info = topDownDib(width, height);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib == nullptr || bits == nullptr) {
    DeleteDC(dc);
    return;
  }
  auto* dibPixels = static_cast<uint32_t*>(bits);
  for (int y = 0; y < height; ++y) {
    std::memcpy(dibPixels + size_t(y) * size_t(width),
                image.pixels + size_t(clip.top + y) * size_t(image.stride) + size_t(clip.left),
                size_t(width) * 4);
  }
  HGDIOBJ oldBitmap = SelectObject(dc, dib);
  HFONT font = createFont(style);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(style.red, style.green, style.blue));
  RECT box{rect.left - clip.left, rect.top - clip.top, rect.right - clip.left,
           rect.bottom - clip.top};
  const UINT align = style.align == 1 ? DT_CENTER : (style.align == 2 ? DT_RIGHT : DT_LEFT);
  DrawTextW(dc, text.c_str(), int(text.size()), &box,
            align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  GdiFlush();
  for (int y = 0; y < height; ++y) {
    uint32_t* dst = image.pixels + size_t(clip.top + y) * size_t(image.stride) + size_t(clip.left);
    const uint32_t* src = dibPixels + size_t(y) * size_t(width);
    for (int x = 0; x < width; ++x) {
      if ((src[x] & 0xFFFFFFu) != (dst[x] & 0xFFFFFFu)) {
        dst[x] = style.alpha == 255 ? (0xFF000000u | (src[x] & 0xFFFFFFu))
                                    : blend(dst[x], src[x], style.alpha);
      }
    }
  }
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(dib);
  DeleteDC(dc);
}

double textWidth(const char* utf8, const TextStyle& style) {
  if (utf8 == nullptr || *utf8 == 0) {
    return 0.0;
  }
  const std::wstring text = widen(utf8);
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) {
    return 0.0;
  }
  HFONT font = createFont(style);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  DeleteDC(dc);
  return double(extent.cx);
}

}  // namespace platform
