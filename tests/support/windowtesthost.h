// The platform's stand-in host window for tests that open a real editor
// window, and the input both platforms deliver alike.
#pragma once

#if defined(_WIN32)
#include "win32testhost.h"
using win32test::TestHost;
#else
#include "x11testhost.h"
using x11test::TestHost;
#endif

// A left click as the platform delivers it to the window.
inline void click(TestHost& host, int x, int y) {
#if defined(_WIN32)
  host.press(x, y);
  host.release(x, y);
#else
  host.click(x, y);
#endif
}

// Wheel steps as the platform delivers them, one message each: up when `up`.
inline void wheel(TestHost& host, int x, int y, bool up) {
#if defined(_WIN32)
  host.wheel(x, y, up ? 1 : -1);
#else
  host.click(x, y, up ? 4 : 5);
#endif
}

// A left-button drag, in three parts, so a test can look between them.
inline void pressAt(TestHost& host, int x, int y) {
#if defined(_WIN32)
  host.press(x, y);
#else
  host.moveTo(x, y);
  host.button(1, true);
#endif
}

inline void dragTo(TestHost& host, int x, int y) {
#if defined(_WIN32)
  host.moveTo(x, y, true);
#else
  host.moveTo(x, y);
#endif
}

inline void releaseAt(TestHost& host, int x, int y) {
#if defined(_WIN32)
  host.release(x, y);
#else
  host.moveTo(x, y);
  host.button(1, false);
#endif
}

// Lets the window system deliver what the test sent.
inline void settle(TestHost& host) {
#if defined(_WIN32)
  host.pump();
#else
  host.sync();
#endif
}
