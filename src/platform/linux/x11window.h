// The frame's X11 window: its own connection, a child of the host's window.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>

#include "gui/guiwindow.h"
#include "platform/linux/x11popup.h"

namespace platform::x11 {

class X11FrameWindow final : public FrameWindow {
 public:
  // nullptr when there is no display or the parent is no window.
  static X11FrameWindow* create(CFrame& frame, Window parent);
  ~X11FrameWindow() override;
  X11FrameWindow(const X11FrameWindow&) = delete;
  X11FrameWindow& operator=(const X11FrameWindow&) = delete;

  void handleEvents() override;
  void present(const IntRect& area) override;
  void drainEvents() override;
  void popupMenu(COptionMenu& menu, MenuDone done) override;
  void focusChanged(bool hasFocusView) override;
  void resize(int width, int height) override;
  int eventSource() const override { return ConnectionNumber(display); }

  // Two presses of one button count as a double click within this time (X
  // server milliseconds) and distance (pixels).
  static constexpr Time kDoubleClickTime = 400;
  static constexpr int kDoubleClickDistance = 4;

 private:
  X11FrameWindow(CFrame& frame, Display* display, Window parent);
  void dispatch(XEvent& event);
  void onButton(const XButtonEvent& event, bool press);
  void onKey(XKeyEvent& event, bool press);
  // Reports and closes the popup once it is done.
  void endPopupIfFinished();
  // Key events are selected only while a text field edits: otherwise they
  // pass on to the host's window, whose shortcuts must work over the editor.
  void selectKeys(bool keys);

  CFrame& frame;
  Display* display;
  Window parent;
  Window window = 0;
  GC gc = nullptr;
  XWindowAttributes attributes{};
  bool windowGone = false;  // the host destroyed the parent (and ours with it)
  // Where the keyboard focus was before a text field took it; it goes back
  // there when the edit ends, so the host's shortcuts work again.
  Window focusBefore = 0;
  int revertBefore = RevertToParent;
  bool holdsFocus = false;
  Time lastPressTime = 0;
  unsigned int lastPressButton = 0;
  int lastPressX = 0;
  int lastPressY = 0;
  bool lastWasDouble = false;
  std::unique_ptr<X11MenuPopup> popup;  // the option menu's, while open

  friend class X11MenuPopup;
};

}  // namespace platform::x11
