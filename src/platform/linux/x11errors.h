// Xlib's error handler is one per process; the editor's connections must not
// let an X error (a parent window the host destroyed first) end the host.
#pragma once

#include <X11/Xlib.h>

namespace platform::x11 {

// Errors on a watched connection are counted and ignored; errors on the host's
// own connections still go to the handler that was installed before.
void watchDisplay(Display* display);
void unwatchDisplay(Display* display);
// Errors seen on the connection since it was watched.
unsigned long errorCount(Display* display);

}  // namespace platform::x11
