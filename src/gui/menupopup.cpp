#include "gui/menupopup.h"

#include <algorithm>
#include <cmath>

#include "gui/cdrawcontext.h"
#include "gui/coptionmenu.h"
#include "gui/zoomscale.h"

namespace {
constexpr CColor kPopupBack{236, 236, 236, 255};
constexpr CColor kPopupText{0, 0, 0, 255};
constexpr CColor kPopupDisabled{150, 150, 150, 255};
constexpr CColor kPopupHighlight{52, 101, 164, 255};
constexpr CColor kPopupBorder{90, 90, 90, 255};
// A small triangle at a row's right end, pointing up or down: more entries
// lie that way.
void drawScrollMark(CDrawContext& context, const CRect& row, bool up) {
  const CCoord right = row.right;
  const CCoord middle = (row.top + row.bottom) / 2;
  for (int i = 0; i < 4; ++i) {
    const CCoord y = up ? middle - 2 + i : middle + 1 - i;
    context.fillRect(CRect(right - 8 - i, y, right - 7 + i, y + 1));
  }
}

}  // namespace

platform::IntRect placePopup(const platform::IntRect& button, int width, int height,
                             const platform::IntRect& screen) {
  const int screenHeight = screen.bottom - screen.top;
  int top = button.bottom;
  if (height > screenHeight) {
    top = screen.top;
    height = screenHeight;
  } else if (button.bottom + height > screen.bottom) {
    // Above the button, or, where neither side has room, as low as it fits.
    top = button.top - height >= screen.top ? button.top - height : screen.bottom - height;
  }
  int left = button.left;
  if (left + width > screen.right) {
    left = screen.right - width;
  }
  if (left < screen.left) {
    left = screen.left;
  }
  return {left, top, left + width, top + height};
}

MenuPopupLayout::MenuPopupLayout(COptionMenu& menu, int zoom)
    : menu(menu), zoom(isZoom(zoom) ? zoom : 100) {
  CDrawContext measure({nullptr, 0, 0, 0});
  measure.setFont(menu.getFont() != nullptr ? menu.getFont() : kNormalFont);
  CCoord widest = 0;
  for (int32_t i = 0; i < menu.getNbEntries(); ++i) {
    const CMenuItem* item = menu.getEntry(i);
    entries.push_back({item->getTitle(),
                       item->isEnabled() && !item->isSeparator() && !item->isTitle(),
                       item->isSeparator(), item->isTitle()});
    if (!item->isSeparator()) {
      widest = std::max(widest, measure.getStringWidth(item->getTitle()));
    }
  }
  width = std::max(int(std::lround(menu.getWidth())), int(std::ceil(widest)) + kMarkWidth + 8);
  visibleRows = int(entries.size());
}

void MenuPopupLayout::fitInto(int height) {
  visibleRows =
      std::clamp(height / getRowHeight(), std::min(1, int(entries.size())), int(entries.size()));
  scrollBy(0);
}

void MenuPopupLayout::scrollBy(int rows) {
  firstRow = std::clamp(firstRow + rows, 0, int(entries.size()) - visibleRows);
}

void MenuPopupLayout::scrollToShow(int32_t entry) {
  if (entry < firstRow) {
    scrollBy(entry - firstRow);
  } else if (entry >= firstRow + visibleRows) {
    scrollBy(entry - (firstRow + visibleRows - 1));
  }
}

int MenuPopupLayout::getWidth() const { return zoomedLength(width, zoom); }
int MenuPopupLayout::getHeight() const { return zoomedLength(kRowHeight * visibleRows, zoom); }
int MenuPopupLayout::getFullHeight() const {
  return zoomedLength(kRowHeight * int(entries.size()), zoom);
}
int MenuPopupLayout::getRowHeight() const { return zoomedLength(kRowHeight, zoom); }

int32_t MenuPopupLayout::entryAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= getWidth() || y >= getHeight()) {
    return -1;
  }
  const auto row = std::min(size_t(visibleRows) - 1, size_t(y * 100 / zoom / kRowHeight));
  const auto index = size_t(firstRow) + row;
  return entries[index].choosable ? int32_t(index) : -1;
}

int32_t MenuPopupLayout::step(int32_t from, int direction) const {
  for (int32_t i = from + direction; i >= 0 && i < int32_t(entries.size()); i += direction) {
    if (entries[size_t(i)].choosable) {
      return i;
    }
  }
  return from;
}

void MenuPopupLayout::draw(const platform::PixelImage& image, int32_t highlighted) const {
  CDrawContext context(image, zoom);
  const CCoord height = CCoord(kRowHeight) * CCoord(visibleRows);
  context.setFillColor(kPopupBack);
  context.fillRect(CRect(0, 0, width, height));
  context.setFont(menu.getFont() != nullptr ? menu.getFont() : kNormalFont, 0, kNormalFace);
  const int32_t current = menu.getCurrentIndex();
  const auto last = size_t(firstRow) + size_t(visibleRows);
  for (auto i = size_t(firstRow); i < last; ++i) {
    const Entry& entry = entries[i];
    const CCoord top = CCoord(int(i) - firstRow) * kRowHeight;
    const CRect row(0, top, width, top + kRowHeight);
    if (entry.separator) {
      context.setFillColor(kPopupBorder);
      const CCoord middle = top + CCoord(kRowHeight) * 0.5;
      context.fillRect(CRect(4, middle, width - 4, middle + 1));
      continue;
    }
    const bool lit = int32_t(i) == highlighted && entry.choosable;
    if (lit) {
      context.setFillColor(kPopupHighlight);
      context.fillRect(row);
    }
    const CColor ink =
        lit ? kWhiteCColor : (entry.choosable || entry.title_row ? kPopupText : kPopupDisabled);
    if (int32_t(i) == current) {
      context.setFillColor(ink);
      context.fillRect(CRect(5, top + 6, 11, top + 12));
    }
    context.setFontColor(ink);
    context.setFont(nullptr, 0, entry.title_row ? kBoldFace : kNormalFace);
    context.drawString(entry.title.c_str(), CRect(kMarkWidth, top, width - 4, top + kRowHeight),
                       kLeftText);
  }
  context.setFillColor(kPopupBorder);
  if (firstRow > 0) {
    drawScrollMark(context, CRect(0, 0, width, kRowHeight), true);
  }
  if (last < entries.size()) {
    drawScrollMark(context, CRect(0, height - kRowHeight, width, height), false);
  }
  context.setFrameColor(kPopupBorder);
  context.drawRect(CRect(0, 0, width, height));
}
