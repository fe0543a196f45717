// The option menu's popup window on X11 (see x11popup.cpp): it lives in the
// frame window while open and is passed the events of its own window.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

#include "gui/guiwindow.h"
#include "gui/menupopup.h"

struct CRect;
class COptionMenu;

namespace platform::x11 {

class X11FrameWindow;

class X11MenuPopup {
 public:
  // Holds a reference to the menu until destroyed; `done` is called by the
  // owner, never by the popup itself.
  X11MenuPopup(X11FrameWindow& owner, COptionMenu& menu, FrameWindow::MenuDone done);
  ~X11MenuPopup();
  X11MenuPopup(const X11MenuPopup&) = delete;
  X11MenuPopup& operator=(const X11MenuPopup&) = delete;

  // Maps the popup for a button (frame window pixels) and returns at once;
  // false when there is nothing to show.
  bool open(const CRect& button);
  // Ungrabs and destroys the window; the popup takes no more events.
  void close();
  Window window() const { return popup; }
  void handle(XEvent& event);
  // Cancels a popup the server has not shown in time.
  void checkShown();
  void finish(int32_t chosen);
  bool isFinished() const { return finished; }
  // The report and the entry chosen (-1: none).
  FrameWindow::MenuDone takeDone(int32_t& chosen);

 private:
  void onMapped();
  void draw();

  static constexpr int kWheelRows = 3;
  static constexpr uint32_t kShowTimeout = 1000;  // milliseconds

  X11FrameWindow& owner;
  Display* display;
  COptionMenu& menu;
  MenuPopupLayout layout;
  FrameWindow::MenuDone done;
  std::vector<uint32_t> pixels;
  Window popup = 0;
  GC gc = nullptr;
  uint32_t openedAt = 0;
  int32_t highlighted;
  int32_t result = -1;
  bool shown = false;
  bool grabbed = false;
  bool finished = false;
  bool pressedInside = false;
  bool movedInside = false;
};

}  // namespace platform::x11
