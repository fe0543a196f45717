#include "gui/guiwindow.h"

namespace platform {

namespace {
FrameWindowFactory& installedFactory() {
  static FrameWindowFactory factory;
  return factory;
}
}  // namespace

void setFrameWindowFactory(FrameWindowFactory factory) { installedFactory() = std::move(factory); }

FrameWindow* createFrameWindow(CFrame& frame, void* parent) {
  const FrameWindowFactory& factory = installedFactory();
  return factory ? factory(frame, parent) : openFrameWindow(frame, parent);
}

}  // namespace platform
