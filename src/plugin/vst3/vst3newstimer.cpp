// The news timer: registered once per instance, at a pace well under the
// host's own redraws; each tick costs a few atomic loads when nothing waits.
#include "vst3newstimer.h"

#include <new>

#include "platform/idletimer.h"
#include "vst3plugin.h"

namespace {

constexpr unsigned kPeriodMs = 50;

#if !defined(_WIN32)
// The run loop `context` lends, counted, or null.
vst3::IRunLoop* runLoopOf(vst3::FUnknown* context) {
  void* found = nullptr;
  if (context == nullptr ||
      context->queryInterface(vst3::IRunLoop::iid.bytes, &found) != vst3::kResultOk) {
    return nullptr;
  }
  return static_cast<vst3::IRunLoop*>(found);
}
#endif

}  // namespace

Vst3NewsTimer* Vst3NewsTimer::start(Vst3Plugin* plugin, vst3::FUnknown* context) {
  auto* timer = new (std::nothrow) Vst3NewsTimer(plugin);
  if (timer == nullptr) {
    return nullptr;
  }
#if defined(_WIN32)
  (void)context;
  timer->platformTimer = platform::startIdleTimer(
      kPeriodMs, [](void* self) { static_cast<Vst3NewsTimer*>(self)->onTimer(); }, timer);
  if (timer->platformTimer != nullptr) {
    return timer;
  }
#else
  for (vst3::FUnknown* lender : {context, factoryHostContext()}) {
    vst3::IRunLoop* loop = runLoopOf(lender);
    if (loop != nullptr && loop->registerTimer(timer, kPeriodMs) == vst3::kResultOk) {
      timer->runLoop = loop;
      return timer;
    }
    if (loop != nullptr) {
      loop->release();
    }
  }
#endif
  timer->release();
  return nullptr;
}

void Vst3NewsTimer::stop() {
  plugin = nullptr;
  if (runLoop != nullptr) {
    runLoop->unregisterTimer(this);
    runLoop->release();
    runLoop = nullptr;
  }
  platform::stopIdleTimer(platformTimer);
  platformTimer = nullptr;
  release();
}

vst3::tresult Vst3NewsTimer::queryInterface(const vst3::TUID interfaceId, void** obj) {
  if (obj == nullptr) {
    return vst3::kInvalidArgument;
  }
  auto* handler = static_cast<vst3::ITimerHandler*>(this);
  const bool found = handOut<vst3::FUnknown>(interfaceId, handler, obj) ||
                     handOut<vst3::ITimerHandler>(interfaceId, handler, obj);
  return queryAnswer(found, obj);
}

void Vst3NewsTimer::onTimer() {
  if (plugin != nullptr) {
    plugin->tellNews();
  }
}
