// The two full-window pictures: the front panel (the editor's background) and
// the about picture.
#pragma once

#include "canvas.h"

namespace artwork {

void drawPanel(Canvas& canvas);
void drawAbout(Canvas& canvas);

}  // namespace artwork
