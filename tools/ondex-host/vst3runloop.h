// The host's run loop as a Linux VST 3 host lends it (through its context and
// an editor's frame): descriptors and timers served on the UI thread in the
// host's own turns. Registered handlers are held, as hosts hold them, until
// the plug-in unregisters them.
#pragma once

#include <utility>
#include <vector>

#include "vst3hostobject.h"

class Vst3RunLoop : public Vst3HostObject<vst3::IRunLoop> {
 public:
  ~Vst3RunLoop() override;
  vst3::tresult VST3_API registerEventHandler(vst3::IEventHandler* handler, int fd) override;
  vst3::tresult VST3_API unregisterEventHandler(vst3::IEventHandler* handler) override;
  vst3::tresult VST3_API registerTimer(vst3::ITimerHandler* handler,
                                       vst3::uint64 milliseconds) override;
  vst3::tresult VST3_API unregisterTimer(vst3::ITimerHandler* handler) override;

  // One turn: every readable descriptor's handler, then every timer.
  void runOnce();

  std::vector<std::pair<vst3::IEventHandler*, int>> handlers;
  std::vector<vst3::ITimerHandler*> timers;
};

// The loop where the platform has one (Linux), else null: Windows plug-ins
// use their own window timers.
inline vst3::IRunLoop* lentRunLoop(Vst3RunLoop& loop) {
#if defined(_WIN32)
  (void)loop;
  return nullptr;
#else
  return loop.face();
#endif
}
