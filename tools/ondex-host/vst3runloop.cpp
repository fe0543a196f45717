#include "vst3runloop.h"

#include <algorithm>

#if !defined(_WIN32)
#include <poll.h>
#endif

using namespace vst3;

Vst3RunLoop::~Vst3RunLoop() {
  for (auto& [handler, fd] : handlers) handler->release();
  for (ITimerHandler* timer : timers) timer->release();
}

tresult Vst3RunLoop::registerEventHandler(IEventHandler* handler, int fd) {
  if (handler == nullptr) return kInvalidArgument;
  for (const auto& entry : handlers) {
    if (entry.second == fd) return kInvalidArgument;  // one handler per descriptor
  }
  handler->addRef();
  handlers.emplace_back(handler, fd);
  return kResultOk;
}

tresult Vst3RunLoop::unregisterEventHandler(IEventHandler* handler) {
  const auto found = std::find_if(handlers.begin(), handlers.end(),
                                  [handler](const auto& entry) { return entry.first == handler; });
  if (found == handlers.end()) return kInvalidArgument;
  handlers.erase(found);
  handler->release();
  return kResultOk;
}

tresult Vst3RunLoop::registerTimer(ITimerHandler* handler, uint64 milliseconds) {
  if (handler == nullptr || milliseconds == 0) return kInvalidArgument;
  handler->addRef();
  timers.push_back(handler);
  return kResultOk;
}

tresult Vst3RunLoop::unregisterTimer(ITimerHandler* handler) {
  const auto found = std::find(timers.begin(), timers.end(), handler);
  if (found == timers.end()) return kInvalidArgument;
  timers.erase(found);
  handler->release();
  return kResultOk;
}

void Vst3RunLoop::runOnce() {
#if !defined(_WIN32)
  for (const auto& [handler, fd] : std::vector(handlers)) {
    pollfd ready{fd, POLLIN, 0};
    if (poll(&ready, 1, 0) > 0) handler->onFDIsSet(fd);
  }
#endif
  for (ITimerHandler* timer : std::vector(timers)) timer->onTimer();
}
