#include "vst3frame.h"

using namespace vst3;

tresult Vst3PlugFrame::queryInterface(const TUID iid, void** obj) {
  if (IRunLoop::iid == iid) {
    IRunLoop* lent = lentRunLoop(loop);
    *obj = lent;
    if (lent == nullptr) return kNoInterface;
    lent->addRef();
    return kResultOk;
  }
  return Vst3HostObject::queryInterface(iid, obj);
}

tresult Vst3PlugFrame::resizeView(IPlugView* view, ViewRect* newSize) {
  if (view == nullptr || newSize == nullptr) {
    return kInvalidArgument;
  }
  resizeRequests.emplace_back(newSize->right - newSize->left, newSize->bottom - newSize->top);
  // The host's window takes the size, then the view hears it.
  return view->onSize(newSize);
}
