// The images of every control bitmap: image k of bitmap `id`, drawn over the
// panel in a cell of the bitmap's width and image height at the origin.
#pragma once

#include <cstdint>

#include "canvas.h"

namespace artwork {

void drawImage(cairo_t* cr, int32_t id, int image);

}  // namespace artwork
