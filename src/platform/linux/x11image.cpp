#include "platform/linux/x11image.h"

#include <X11/Xutil.h>

#include <bit>

namespace platform::x11 {

bool visualTakesImages(const XWindowAttributes& attributes) {
  const Visual* visual = attributes.visual;
  return visual != nullptr && (attributes.depth == 24 || attributes.depth == 32) &&
         visual->red_mask == 0xFF0000 && visual->green_mask == 0x00FF00 &&
         visual->blue_mask == 0x0000FF;
}

void putImage(Display* display, Window window, GC gc, const XWindowAttributes& attributes,
              const PixelImage& image, const IntRect& area) {
  const auto [left, top, right, bottom] = insideImage(area, image);
  if (right <= left || bottom <= top) {
    return;
  }
  XImage* ximage = XCreateImage(display, attributes.visual, unsigned(attributes.depth), ZPixmap, 0,
                                reinterpret_cast<char*>(image.pixels), unsigned(image.width),
                                unsigned(image.height), 32, image.stride * 4);
  if (ximage == nullptr) {
    return;
  }
  // The pixels are 32-bit words in this machine's byte order; Xlib swaps them
  // for a server of the other order.
  ximage->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  XPutImage(display, window, gc, ximage, left, top, left, top, unsigned(right - left),
            unsigned(bottom - top));
  ximage->data = nullptr;  // XDestroyImage must not free the toolkit's pixels
  XDestroyImage(ximage);
}

}  // namespace platform::x11
