// The option menu's popup on X11: an override-redirect window below the
// control (above it, or moved, where the screen ends), holding the pointer and
// keyboard until a choice, a click outside or Escape. Its loop runs inside the
// frame's event handling (effEditIdle) and keeps the host's idle going while
// it waits.
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cmath>
#include <vector>

#include "gui/aeffguieditor.h"
#include "gui/cframe.h"
#include "gui/coptionmenu.h"
#include "gui/menupopup.h"
#include "platform/linux/x11image.h"
#include "platform/linux/x11window.h"

namespace platform::x11 {

class X11MenuPopup {
 public:
  X11MenuPopup(X11FrameWindow& owner, COptionMenu& menu)
      : owner(owner),
        display(owner.display),
        layout(menu, owner.frame.getZoom()),
        highlighted(menu.getCurrentIndex()) {}

  int32_t run(const CRect& button) {
    if (layout.getHeight() == 0 || owner.windowGone) {
      return -1;
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, owner.window, DefaultRootWindow(display),
                          int(std::lround(button.left)), int(std::lround(button.top)), &x, &y,
                          &child);
    const int screen = DefaultScreen(display);
    const IntRect place = placePopup(
        {x, y, x + int(std::lround(button.getWidth())), y + int(std::lround(button.getHeight()))},
        layout.getWidth(), layout.getFullHeight(),
        {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)});
    layout.fitInto(place.bottom - place.top);
    layout.scrollToShow(highlighted);
    pixels.assign(size_t(layout.getWidth()) * size_t(layout.getHeight()), 0);
    XSetWindowAttributes set{};
    set.override_redirect = True;
    set.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                     KeyPressMask | StructureNotifyMask;
    // The frame's visual may not be the root's (a host with its own visual):
    // a window of it on the root needs its colormap and a border pixel.
    set.colormap = owner.attributes.colormap;
    set.border_pixel = 0;
    popup = XCreateWindow(display, DefaultRootWindow(display), place.left, place.top,
                          unsigned(layout.getWidth()), unsigned(layout.getHeight()), 0,
                          owner.attributes.depth, InputOutput, owner.attributes.visual,
                          CWOverrideRedirect | CWEventMask | CWColormap | CWBorderPixel, &set);
    gc = XCreateGC(display, popup, 0, nullptr);
    XMapRaised(display, popup);
    if (!waitUntilMapped()) {
      // A popup the server would not show must not hold the host's window.
      XFreeGC(display, gc);
      XDestroyWindow(display, popup);
      XFlush(display);
      return -1;
    }
    XGrabPointer(display, popup, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                 GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    XGrabKeyboard(display, popup, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    draw();
    while (!done) {
      while (!done && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        handle(event);
      }
      if (!done) {
        if (VSTGUIEditorInterface* editor = owner.frame.getEditor()) {
          editor->doIdleStuff();
        }
        owner.waitForEvents(10);
      }
    }
    XUngrabPointer(display, CurrentTime);
    XUngrabKeyboard(display, CurrentTime);
    XFreeGC(display, gc);
    XDestroyWindow(display, popup);
    XFlush(display);
    return result;
  }

 private:
  // True once the popup is shown; false when it is not within a second.
  bool waitUntilMapped() {
    XSync(display, False);
    for (int waited = 0; waited < 1000; waited += 10) {
      XEvent event;
      while (XCheckWindowEvent(display, popup, StructureNotifyMask, &event)) {
        if (event.type == MapNotify) {
          return true;
        }
      }
      owner.waitForEvents(10);
    }
    return false;
  }

  void draw() {
    PixelImage image{pixels.data(), layout.getWidth(), layout.getHeight(), layout.getWidth()};
    layout.draw(image, highlighted);
    putImage(display, popup, gc, owner.attributes, image,
             {0, 0, layout.getWidth(), layout.getHeight()});
    XFlush(display);
  }

  void finish(int32_t chosen) {
    result = chosen;
    done = true;
  }

  void handle(XEvent& event) {
    if (event.xany.window == owner.window) {
      // The frame's window is still painted; its input waits for the choice.
      if (event.type == Expose) {
        owner.present({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                       event.xexpose.y + event.xexpose.height});
      } else if (event.type == DestroyNotify) {
        owner.windowGone = true;
        finish(-1);
      }
      return;
    }
    if (event.xany.window != popup) {
      return;
    }
    switch (event.type) {
      case Expose:
        draw();
        break;
      case MotionNotify: {
        const int32_t over = layout.entryAt(event.xmotion.x, event.xmotion.y);
        if (over >= 0) {
          movedInside = true;
          if (over != highlighted) {
            highlighted = over;
            draw();
          }
        }
        break;
      }
      case ButtonPress:
        if (event.xbutton.button == Button4 || event.xbutton.button == Button5) {
          layout.scrollBy(event.xbutton.button == Button4 ? -kWheelRows : kWheelRows);
          draw();
        } else if (layout.entryAt(event.xbutton.x, event.xbutton.y) >= 0) {
          pressedInside = true;
        } else if (event.xbutton.x < 0 || event.xbutton.y < 0 ||
                   event.xbutton.x >= layout.getWidth() || event.xbutton.y >= layout.getHeight()) {
          finish(-1);
        }
        break;
      case ButtonRelease: {
        // The release of the press that opened the menu chooses nothing,
        // unless the pointer was dragged onto an entry; a wheel never does.
        if (event.xbutton.button >= Button4) {
          break;
        }
        const int32_t over = layout.entryAt(event.xbutton.x, event.xbutton.y);
        if (over >= 0 && (pressedInside || movedInside)) {
          finish(over);
        }
        break;
      }
      case KeyPress: {
        const KeySym keysym = XLookupKeysym(&event.xkey, 0);
        if (keysym == XK_Escape) {
          finish(-1);
        } else if (keysym == XK_Return || keysym == XK_KP_Enter) {
          finish(layout.entryAt(1, (highlighted - layout.getFirstRow()) * layout.getRowHeight()));
        } else if (keysym == XK_Up || keysym == XK_Down) {
          highlighted = layout.step(highlighted, keysym == XK_Up ? -1 : 1);
          layout.scrollToShow(highlighted);  // keys reach every entry of a long menu
          draw();
        }
        break;
      }
      case UnmapNotify:
      case DestroyNotify:
        finish(-1);
        break;
      default:
        break;
    }
  }

  static constexpr int kWheelRows = 3;

  X11FrameWindow& owner;
  Display* display;
  MenuPopupLayout layout;
  std::vector<uint32_t> pixels;
  Window popup = 0;
  GC gc = nullptr;
  int32_t highlighted;
  int32_t result = -1;
  bool done = false;
  bool pressedInside = false;
  bool movedInside = false;
};

int32_t X11FrameWindow::popupMenu(COptionMenu& menu) {
  if (inPopup) {
    return -1;
  }
  inPopup = true;
  X11MenuPopup popup(*this, menu);
  const IntRect at = frame.toPixels(menu.getViewSize());
  const int32_t chosen = popup.run(CRect(at.left, at.top, at.right, at.bottom));
  inPopup = false;
  return chosen;
}

}  // namespace platform::x11
