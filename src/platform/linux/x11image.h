// Putting 32-bit toolkit images (0xAARRGGBB) into X11 windows.
#pragma once

#include <X11/Xlib.h>

#include "gui/guiplatform.h"

namespace platform::x11 {

// True when the window's visual takes the toolkit's pixels as they are: a
// 24- or 32-bit TrueColor visual with red, green and blue in the usual bytes.
bool visualTakesImages(const XWindowAttributes& attributes);

// Copies `area` of the image to the same place in the window.
void putImage(Display* display, Window window, GC gc, const XWindowAttributes& attributes,
              const PixelImage& image, const IntRect& area);

}  // namespace platform::x11
