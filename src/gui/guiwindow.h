// The frame's window inside the host's parent window, as the platform
// (src/platform/<os>/) provides it: it feeds the frame its events, shows the
// frame's image and pops up option menus.
#pragma once

#include <cstdint>
#include <functional>

#include "gui/guiplatform.h"

class CFrame;
class COptionMenu;

namespace platform {

class FrameWindow {
 public:
  virtual ~FrameWindow() = default;
  // Handles the window's pending events (called from the frame's idle pass, so
  // from effEditIdle: the plug-in runs no thread or timer of its own).
  virtual void handleEvents() = 0;
  // Shows this area of the frame's image on screen.
  virtual void present(const IntRect& area) = 0;
  // Keeps the window painted while something modal runs; input is dropped.
  virtual void drainEvents() = 0;
  // Shows the menu's entries below the control; `done` gets the chosen
  // entry's index, or -1. Where the platform's menu runs its own loop
  // (Windows) that is before this returns; on X11 it returns at once and the
  // choice comes from a later handleEvents. A window closed first never calls
  // `done`.
  using MenuDone = std::function<void(int32_t chosen)>;
  virtual void popupMenu(COptionMenu& menu, MenuDone done) = 0;
  // The frame's keyboard focus moved to a view or away (nullptr).
  virtual void focusChanged(bool hasFocusView) = 0;
  // The frame's image took a new size in pixels (its zoom changed).
  virtual void resize(int width, int height) {
    (void)width;
    (void)height;
  }
  // A descriptor that becomes readable when events wait (the X connection), so
  // a host may call the idle pass as they arrive; -1 where there is none.
  virtual int eventSource() const { return -1; }
};

// A window of the frame's size inside the parent (an X11 Window id on Linux,
// an HWND on Windows); nullptr when it cannot be made.
FrameWindow* openFrameWindow(CFrame& frame, void* parent);

// Tests replace the platform's windows (an empty function restores them).
using FrameWindowFactory = std::function<FrameWindow*(CFrame& frame, void* parent)>;
void setFrameWindowFactory(FrameWindowFactory factory);
FrameWindow* createFrameWindow(CFrame& frame, void* parent);

}  // namespace platform
