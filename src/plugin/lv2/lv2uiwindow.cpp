// Finds the editor's window in the host's parent: hosts size and watch the
// widget an X11 UI returns, and the effect's editor does not name its window.
#include "lv2uiwindow.h"

#include <X11/Xlib.h>

uintptr_t lv2EditorWindow(uintptr_t parent) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return parent;
  }
  Window root = 0;
  Window above = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  uintptr_t found = parent;
  if (XQueryTree(display, parent, &root, &above, &children, &count) != 0 && count > 0) {
    found = children[count - 1];  // stacking order: the window opened last is on top
  }
  if (children != nullptr) {
    XFree(children);
  }
  XCloseDisplay(display);
  return found;
}
