// The option menu's popup where the platform has no menu of its own (X11): one
// column of entries below the control, the current entry marked, the one under
// the pointer highlighted, and where it opens on the screen. Drawn with the
// toolkit's own drawing, at the frame's zoom: sizes and positions here are the
// popup window's pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/guiplatform.h"

class COptionMenu;

// Where a popup of this size opens for a button (both in screen pixels): below
// the button, above it when there is no room below, else over it where it
// fits; moved left or right to stay on the screen. A popup taller than the
// screen gets the screen's height and scrolls.
platform::IntRect placePopup(const platform::IntRect& button, int width, int height,
                             const platform::IntRect& screen);

class MenuPopupLayout {
 public:
  explicit MenuPopupLayout(COptionMenu& menu, int zoom = 100);

  static constexpr int kRowHeight = 18;  // at 100 %
  static constexpr int kMarkWidth = 16;  // the column of the current-entry mark
  int getWidth() const;
  // The shown rows' height; every row's when nothing is scrolled away.
  int getHeight() const;
  int getFullHeight() const;
  int getRowHeight() const;
  // Shows as many whole rows as fit into `height` pixels (at least one); the
  // others scroll into view.
  void fitInto(int height);
  int getFirstRow() const { return firstRow; }
  // Scrolls by rows (negative: up), or just far enough to show an entry.
  void scrollBy(int rows);
  void scrollToShow(int32_t entry);
  // The entry that a click at (x, y) chooses, or -1 (outside, separator,
  // title or disabled entry).
  int32_t entryAt(int x, int y) const;
  // The next choosable entry from `from` in steps of +1 or -1; `from` when none.
  int32_t step(int32_t from, int direction) const;
  void draw(const platform::PixelImage& image, int32_t highlighted) const;

 private:
  // A copy: the menu's entries may be renamed while its popup is open.
  struct Entry {
    std::string title;
    bool choosable;
    bool separator;
    bool title_row;
  };
  COptionMenu& menu;
  std::vector<Entry> entries;
  int width = 0;  // at 100 %
  int zoom;
  int visibleRows = 0;
  int firstRow = 0;
};
