// The option menu's popup on X11: an override-redirect window below the
// control (above it, or moved, where the screen ends), holding the pointer and
// keyboard until a choice, a click outside or Escape. Nothing waits for it:
// opening maps the window and returns, the frame window's event handling
// (effEditIdle) passes the popup its events, and the choice is reported from
// there, so the host's thread never stalls while a menu is open.
#include "platform/linux/x11popup.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cmath>
#include <utility>

#include "gui/cframe.h"
#include "gui/coptionmenu.h"
#include "platform/linux/x11image.h"
#include "platform/linux/x11window.h"

namespace platform::x11 {

X11MenuPopup::X11MenuPopup(X11FrameWindow& owner, COptionMenu& menu, FrameWindow::MenuDone done)
    : owner(owner),
      display(owner.display),
      menu(menu),
      layout(menu, owner.frame.getZoom()),
      done(std::move(done)),
      highlighted(menu.getCurrentIndex()) {
  // The menu's listener is told of the choice later: the menu lives until then.
  menu.remember();
}

X11MenuPopup::~X11MenuPopup() {
  close();
  menu.forget();
}

bool X11MenuPopup::open(const CRect& button) {
  if (layout.getHeight() == 0 || owner.windowGone) {
    return false;
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
  XFlush(display);
  openedAt = tickCount();
  return true;
}

void X11MenuPopup::close() {
  if (popup == 0) {
    return;
  }
  if (grabbed) {
    XUngrabPointer(display, CurrentTime);
    XUngrabKeyboard(display, CurrentTime);
    grabbed = false;
  }
  XFreeGC(display, gc);
  XDestroyWindow(display, popup);
  XFlush(display);
  popup = 0;
  gc = nullptr;
}

void X11MenuPopup::checkShown() {
  // A popup the server would not show within a second must not hold the
  // pointer's next click: it closes as cancelled.
  if (!shown && !finished && tickCount() - openedAt > kShowTimeout) {
    finish(-1);
  }
}

FrameWindow::MenuDone X11MenuPopup::takeDone(int32_t& chosen) {
  chosen = result;
  return std::move(done);
}

void X11MenuPopup::draw() {
  if (!shown) {
    return;  // the first Expose after mapping draws
  }
  PixelImage image{pixels.data(), layout.getWidth(), layout.getHeight(), layout.getWidth()};
  layout.draw(image, highlighted);
  putImage(display, popup, gc, owner.attributes, image,
           {0, 0, layout.getWidth(), layout.getHeight()});
  XFlush(display);
}

void X11MenuPopup::finish(int32_t chosen) {
  result = chosen;
  finished = true;
}

void X11MenuPopup::onMapped() {
  shown = true;
  // Grabs need a viewable window, so they wait for the map.
  XGrabPointer(display, popup, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
               GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  XGrabKeyboard(display, popup, False, GrabModeAsync, GrabModeAsync, CurrentTime);
  grabbed = true;
  draw();
}

void X11MenuPopup::handle(XEvent& event) {
  if (finished) {
    return;
  }
  switch (event.type) {
    case MapNotify:
      onMapped();
      break;
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

void X11FrameWindow::popupMenu(COptionMenu& menu, MenuDone done) {
  if (popup != nullptr) {
    done(-1);  // one popup at a time; its grab keeps a second from being asked for
    return;
  }
  auto opening = std::make_unique<X11MenuPopup>(*this, menu, std::move(done));
  const IntRect at = frame.toPixels(menu.getViewSize());
  if (!opening->open(CRect(at.left, at.top, at.right, at.bottom))) {
    int32_t chosen = -1;
    opening->takeDone(chosen)(-1);
    return;
  }
  popup = std::move(opening);
}

void X11FrameWindow::endPopupIfFinished() {
  if (popup == nullptr) {
    return;
  }
  if (windowGone) {
    popup->finish(-1);
  }
  popup->checkShown();
  if (!popup->isFinished()) {
    return;
  }
  // Taken out before the report: the listener may open the next popup.
  std::unique_ptr<X11MenuPopup> closing = std::move(popup);
  closing->close();
  int32_t chosen = -1;
  MenuDone report = closing->takeDone(chosen);
  report(chosen);
}

}  // namespace platform::x11
