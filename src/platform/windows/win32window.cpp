#include "gui/guiwindow.h"

namespace platform {

FrameWindow* openFrameWindow(CFrame&, void*) { return nullptr; }

}  // namespace platform
