#include "platform/linux/x11window.h"

#include <X11/Xutil.h>

#include <cmath>
#include <cstdlib>
#include <new>

#include "gui/cframe.h"
#include "platform/linux/x11errors.h"
#include "platform/linux/x11image.h"
#include "platform/linux/x11keys.h"

namespace platform {

FrameWindow* openFrameWindow(CFrame& frame, void* parent) {
  return x11::X11FrameWindow::create(frame, Window(reinterpret_cast<uintptr_t>(parent)));
}

namespace x11 {

namespace {
// Without the keys: an X key event over a child window that does not select
// them goes on to its ancestors, the host's windows (see selectKeys).
constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                            EnterWindowMask | LeaveWindowMask | FocusChangeMask |
                            StructureNotifyMask;
constexpr long kKeyMask = KeyPressMask | KeyReleaseMask;
}  // namespace

X11FrameWindow::X11FrameWindow(CFrame& frame, Display* display, Window parent)
    : frame(frame), display(display), parent(parent) {}

X11FrameWindow* X11FrameWindow::create(CFrame& frame, Window parent) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return nullptr;
  }
  watchDisplay(display);
  auto* self = new (std::nothrow) X11FrameWindow(frame, display, parent);
  if (self == nullptr) {
    unwatchDisplay(display);
    XCloseDisplay(display);
    return nullptr;
  }
  XWindowAttributes parentAttributes{};
  if (parent == 0 || XGetWindowAttributes(display, parent, &parentAttributes) == 0 ||
      !visualTakesImages(parentAttributes)) {
    self->windowGone = true;
    delete self;
    return nullptr;
  }
  XSetWindowAttributes set{};
  set.event_mask = kEventMask;
  set.background_pixmap = None;  // the expose handler paints every pixel
  self->window = XCreateWindow(display, parent, 0, 0, unsigned(std::max(1, frame.getPixelWidth())),
                               unsigned(std::max(1, frame.getPixelHeight())), 0, CopyFromParent,
                               InputOutput, CopyFromParent, CWEventMask | CWBackPixmap, &set);
  XSync(display, False);
  if (errorCount(display) != 0 ||
      XGetWindowAttributes(display, self->window, &self->attributes) == 0) {
    delete self;
    return nullptr;
  }
  self->gc = XCreateGC(display, self->window, 0, nullptr);
  XMapWindow(display, self->window);
  XFlush(display);
  return self;
}

X11FrameWindow::~X11FrameWindow() {
  popup.reset();  // an open popup closes unanswered: its menu's frame is going
  if (holdsFocus) {
    focusChanged(false);  // a window closed while editing hands the keys back too
  }
  if (gc != nullptr) {
    XFreeGC(display, gc);
  }
  if (window != 0 && !windowGone) {
    XDestroyWindow(display, window);
  }
  // Errors of a parent that went first arrive here and are ignored.
  XSync(display, True);
  unwatchDisplay(display);
  XCloseDisplay(display);
}

void X11FrameWindow::handleEvents() {
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (popup != nullptr && event.xany.window == popup->window()) {
      popup->handle(event);
    } else {
      dispatch(event);
    }
    endPopupIfFinished();
  }
  endPopupIfFinished();
}

void X11FrameWindow::drainEvents() {
  while (XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.xany.window != window) {
      continue;
    }
    if (event.type == Expose) {
      present({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
               event.xexpose.y + event.xexpose.height});
    } else if (event.type == DestroyNotify) {
      windowGone = true;
    }
  }
}

void X11FrameWindow::present(const IntRect& area) {
  if (windowGone) {
    return;
  }
  putImage(display, window, gc, attributes, frame.getImage(), area);
  XFlush(display);
}

void X11FrameWindow::resize(int width, int height) {
  if (windowGone) {
    return;
  }
  XResizeWindow(display, window, unsigned(std::max(1, width)), unsigned(std::max(1, height)));
  XFlush(display);
}

void X11FrameWindow::focusChanged(bool hasFocusView) {
  if (windowGone) {
    return;
  }
  Window focused = 0;
  int revert = 0;
  XGetInputFocus(display, &focused, &revert);
  if (hasFocusView) {
    // The text field takes the keys; X sends them to the focus window.
    if (!holdsFocus && focused != window) {
      focusBefore = focused;
      revertBefore = revert;
    }
    holdsFocus = true;
    selectKeys(true);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
  } else if (holdsFocus) {
    holdsFocus = false;
    selectKeys(false);
    // Only a focus still ours is handed back: a click into another window
    // already moved it where the user wanted.
    if (focused == window) {
      const unsigned long errorsBefore = errorCount(display);
      XSetInputFocus(display, focusBefore != None ? focusBefore : parent, revertBefore,
                     CurrentTime);
      // A window gone meanwhile refuses the focus; the parent takes it then.
      XSync(display, False);
      if (errorCount(display) != errorsBefore) {
        XSetInputFocus(display, parent, RevertToParent, CurrentTime);
      }
    }
  }
  XFlush(display);
}

void X11FrameWindow::selectKeys(bool keys) {
  XSelectInput(display, window, keys ? kEventMask | kKeyMask : kEventMask);
}

void X11FrameWindow::dispatch(XEvent& event) {
  if (event.xany.window != window) {
    return;
  }
  switch (event.type) {
    case Expose:
      present({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
               event.xexpose.y + event.xexpose.height});
      break;
    case ButtonPress:
      onButton(event.xbutton, true);
      break;
    case ButtonRelease:
      onButton(event.xbutton, false);
      break;
    case MotionNotify: {
      CPoint where(event.xmotion.x, event.xmotion.y);
      frame.onMouseMoved(where, buttonStateFor(event.xmotion.state));
      break;
    }
    case EnterNotify: {
      CPoint where(event.xcrossing.x, event.xcrossing.y);
      frame.onMouseEntered(where, buttonStateFor(event.xcrossing.state));
      break;
    }
    case LeaveNotify: {
      CPoint where(event.xcrossing.x, event.xcrossing.y);
      frame.onMouseExited(where, buttonStateFor(event.xcrossing.state));
      break;
    }
    case KeyPress:
      onKey(event.xkey, true);
      break;
    case KeyRelease:
      onKey(event.xkey, false);
      break;
    case FocusOut:
      // A grab (our own popup's) is no loss of focus; leaving for another
      // window commits the text being edited.
      if (event.xfocus.mode == NotifyNormal && event.xfocus.detail != NotifyInferior &&
          event.xfocus.detail != NotifyPointer) {
        frame.setFocusView(nullptr);
      }
      break;
    case DestroyNotify:
      windowGone = true;
      break;
    default:
      break;
  }
}

void X11FrameWindow::onButton(const XButtonEvent& event, bool press) {
  CPoint where(event.x, event.y);
  const int32_t modifiers = buttonStateFor(event.state) & kModifierMask;
  if (event.button >= Button4 && event.button <= 7) {
    if (press) {
      // Up and right step forward, down and left back.
      const float distance = event.button == Button4 || event.button == 7 ? 1.0f : -1.0f;
      frame.onWheel(where, distance, modifiers);
    }
    return;
  }
  int32_t button = 0;
  switch (event.button) {
    case Button1:
      button = kLButton;
      break;
    case Button2:
      button = kMButton;
      break;
    case Button3:
      button = kRButton;
      break;
    default:
      return;
  }
  if (!press) {
    frame.onMouseUp(where, button | modifiers);
    return;
  }
  const bool isDouble = !lastWasDouble && event.button == lastPressButton &&
                        event.time - lastPressTime <= kDoubleClickTime &&
                        std::abs(event.x - lastPressX) <= kDoubleClickDistance &&
                        std::abs(event.y - lastPressY) <= kDoubleClickDistance;
  lastWasDouble = isDouble;
  lastPressButton = event.button;
  lastPressTime = event.time;
  lastPressX = event.x;
  lastPressY = event.y;
  frame.onMouseDown(where, button | modifiers | (isDouble ? kDoubleClick : 0));
}

void X11FrameWindow::onKey(XKeyEvent& event, bool press) {
  char text[16];
  KeySym keysym = NoSymbol;
  XLookupString(&event, text, sizeof text, &keysym, nullptr);
  VstKeyCode code = keyCodeFor(keysym, event.state);
  if (code.character == 0 && code.virt == 0) {
    return;
  }
  if (press) {
    frame.onKeyDown(code);
  } else {
    frame.onKeyUp(code);
  }
}

}  // namespace x11
}  // namespace platform
