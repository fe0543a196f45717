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

// Lets the window system deliver what the test sent.
inline void settle(TestHost& host) {
#if defined(_WIN32)
  host.pump();
#else
  host.sync();
#endif
}
