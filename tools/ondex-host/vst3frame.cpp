#include "vst3frame.h"

#include <algorithm>

#if !defined(_WIN32)
#include <poll.h>
#endif

using namespace vst3;

Vst3PlugFrame::~Vst3PlugFrame() {
  for (auto& [handler, fd] : handlers) handler->release();
  for (ITimerHandler* timer : timers) timer->release();
}

tresult Vst3PlugFrame::queryInterface(const TUID iid, void** obj) {
#if defined(_WIN32)
  // The run loop is Linux's: Windows views use their own window timers.
  if (IRunLoop::iid == iid) {
    *obj = nullptr;
    return kNoInterface;
  }
#endif
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

tresult Vst3PlugFrame::registerEventHandler(IEventHandler* handler, int fd) {
  if (handler == nullptr) return kInvalidArgument;
  for (const auto& entry : handlers) {
    if (entry.second == fd) return kInvalidArgument;  // one handler per descriptor
  }
  handler->addRef();
  handlers.emplace_back(handler, fd);
  return kResultOk;
}

tresult Vst3PlugFrame::unregisterEventHandler(IEventHandler* handler) {
  const auto found = std::find_if(handlers.begin(), handlers.end(),
                                  [handler](const auto& entry) { return entry.first == handler; });
  if (found == handlers.end()) return kInvalidArgument;
  handlers.erase(found);
  handler->release();
  return kResultOk;
}

tresult Vst3PlugFrame::registerTimer(ITimerHandler* handler, uint64 milliseconds) {
  if (handler == nullptr || milliseconds == 0) return kInvalidArgument;
  handler->addRef();
  timers.push_back(handler);
  return kResultOk;
}

tresult Vst3PlugFrame::unregisterTimer(ITimerHandler* handler) {
  const auto found = std::find(timers.begin(), timers.end(), handler);
  if (found == timers.end()) return kInvalidArgument;
  timers.erase(found);
  handler->release();
  return kResultOk;
}

void Vst3PlugFrame::runOnce() {
#if !defined(_WIN32)
  for (const auto& [handler, fd] : std::vector(handlers)) {
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, 0) > 0) handler->onFDIsSet(fd);
  }
#endif
  for (ITimerHandler* timer : std::vector(timers)) timer->onTimer();
}
