#include "x11testhost.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cctype>

#include "platform/linux/x11errors.h"

namespace x11test {

std::vector<uint32_t> grabFrom(Display* display, Window window, int x, int y, int width,
                               int height);

struct TestHost::State {
  Display* display = nullptr;
  Window window = 0;
  int originX = 0;
  int originY = 0;
};

std::unique_ptr<TestHost> TestHost::open(int width, int height) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    return nullptr;
  }
  int event = 0;
  int error = 0;
  int major = 0;
  int minor = 0;
  if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
    XCloseDisplay(display);
    return nullptr;
  }
  // A popup may go between listing the windows and asking of it: ignored.
  platform::x11::watchDisplay(display);
  auto state = std::make_unique<State>();
  state->display = display;
  state->originX = 40;
  state->originY = 30;
  const int screen = DefaultScreen(display);
  XSetWindowAttributes set{};
  set.background_pixel = 0x404040;
  set.override_redirect = True;  // placed where asked even under a window manager
  state->window =
      XCreateWindow(display, RootWindow(display, screen), state->originX, state->originY,
                    unsigned(width), unsigned(height), 0, CopyFromParent, InputOutput,
                    CopyFromParent, CWBackPixel | CWOverrideRedirect, &set);
  XSelectInput(display, state->window, StructureNotifyMask | KeyPressMask);
  XMapWindow(display, state->window);
  for (;;) {
    XEvent e;
    XWindowEvent(display, state->window, StructureNotifyMask, &e);
    if (e.type == MapNotify) {
      break;
    }
  }
  XSync(display, False);
  return std::unique_ptr<TestHost>(new TestHost(std::move(state)));
}

TestHost::TestHost(std::unique_ptr<State> s) : state(std::move(s)) {}

TestHost::~TestHost() {
  if (state->window != 0) {
    XDestroyWindow(state->display, state->window);
  }
  XSync(state->display, True);
  platform::x11::unwatchDisplay(state->display);
  XCloseDisplay(state->display);
}

void* TestHost::parent() const { return reinterpret_cast<void*>(uintptr_t(state->window)); }

void TestHost::moveTo(int x, int y) {
  XTestFakeMotionEvent(state->display, DefaultScreen(state->display), state->originX + x,
                       state->originY + y, CurrentTime);
  sync();
}

void TestHost::button(int number, bool press) {
  XTestFakeButtonEvent(state->display, unsigned(number), press ? True : False, CurrentTime);
  sync();
}

void TestHost::click(int x, int y, int number) {
  moveTo(x, y);
  button(number, true);
  button(number, false);
}

void TestHost::key(unsigned long keysym, bool press) {
  const KeyCode code = XKeysymToKeycode(state->display, keysym);
  XTestFakeKeyEvent(state->display, code, press ? True : False, CurrentTime);
  sync();
}

void TestHost::tap(unsigned long keysym) {
  key(keysym, true);
  key(keysym, false);
}

void TestHost::type(const char* text) {
  for (const char* c = text; *c != '\0'; ++c) {
    const bool shifted = std::isupper(static_cast<unsigned char>(*c)) != 0;
    const unsigned long keysym = static_cast<unsigned long>(
        shifted ? std::tolower(static_cast<unsigned char>(*c)) : static_cast<unsigned char>(*c));
    if (shifted) {
      key(kShiftL, true);
    }
    tap(keysym);
    if (shifted) {
      key(kShiftL, false);
    }
  }
}

void TestHost::sync() { XSync(state->display, False); }

std::vector<uint32_t> TestHost::grab(int x, int y, int width, int height) {
  return grabFrom(state->display, state->window, x, y, width, height);
}

std::vector<uint32_t> TestHost::grabScreen(const ScreenRect& area) {
  return grabFrom(state->display, DefaultRootWindow(state->display), state->originX + area.x,
                  state->originY + area.y, area.width, area.height);
}

std::vector<uint32_t> grabFrom(Display* display, Window window, int x, int y, int width,
                               int height) {
  std::vector<uint32_t> pixels;
  XImage* image =
      XGetImage(display, window, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
  if (image == nullptr) {
    return pixels;
  }
  pixels.reserve(size_t(width) * size_t(height));
  for (int row = 0; row < height; ++row) {
    for (int col = 0; col < width; ++col) {
      pixels.push_back(uint32_t(XGetPixel(image, col, row)) & 0xFFFFFFu);
    }
  }
  XDestroyImage(image);
  return pixels;
}

int TestHost::childWindows() const {
  Window root = 0;
  Window parentWindow = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (state->window == 0 ||
      XQueryTree(state->display, state->window, &root, &parentWindow, &children, &count) == 0) {
    return 0;
  }
  if (children != nullptr) {
    XFree(children);
  }
  return int(count);
}

bool TestHost::findPopup(ScreenRect& where) const {
  Window root = 0;
  Window parentWindow = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  XQueryTree(state->display, DefaultRootWindow(state->display), &root, &parentWindow, &children,
             &count);
  bool found = false;
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes{};
    if (children[i] != state->window &&
        XGetWindowAttributes(state->display, children[i], &attributes) != 0 &&
        attributes.override_redirect && attributes.map_state == IsViewable) {
      where = {attributes.x - state->originX, attributes.y - state->originY, attributes.width,
               attributes.height};
      found = true;
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return found;
}

void TestHost::placeAt(int screenX, int screenY) {
  state->originX = screenX;
  state->originY = screenY;
  XMoveWindow(state->display, state->window, screenX, screenY);
  sync();
}

void TestHost::focusRoot() {
  XSetInputFocus(state->display, DefaultRootWindow(state->display), RevertToPointerRoot,
                 CurrentTime);
  sync();
}

bool TestHost::rootHasFocus() const {
  Window focused = 0;
  int revert = 0;
  XGetInputFocus(state->display, &focused, &revert);
  return focused == DefaultRootWindow(state->display);
}

int TestHost::keysAtParent() {
  sync();
  int count = 0;
  XEvent event;
  while (state->window != 0 &&
         XCheckWindowEvent(state->display, state->window, KeyPressMask, &event)) {
    ++count;
  }
  return count;
}

void TestHost::destroyParent() {
  XDestroyWindow(state->display, state->window);
  state->window = 0;
  sync();
}

}  // namespace x11test
