// The host's side of an editor: the IPlugFrame a view asks to resize it, and
// on Linux the run loop it registers the X connection's descriptor and its
// timers with. Registered handlers are held, as hosts hold them, until the
// view unregisters them.
#pragma once

#include <utility>
#include <vector>

#include "vst3hostobject.h"

class Vst3PlugFrame : public Vst3HostObject<vst3::IPlugFrame, vst3::IRunLoop> {
 public:
  ~Vst3PlugFrame() override;
  vst3::tresult VST3_API queryInterface(const vst3::TUID iid, void** obj) override;
  vst3::tresult VST3_API resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) override;
  vst3::tresult VST3_API registerEventHandler(vst3::IEventHandler* handler, int fd) override;
  vst3::tresult VST3_API unregisterEventHandler(vst3::IEventHandler* handler) override;
  vst3::tresult VST3_API registerTimer(vst3::ITimerHandler* handler,
                                       vst3::uint64 milliseconds) override;
  vst3::tresult VST3_API unregisterTimer(vst3::ITimerHandler* handler) override;

  // The host's turn of its loop: every readable descriptor's handler, then every timer.
  void runOnce();

  std::vector<std::pair<vst3::int32, vst3::int32>> resizeRequests;  // width, height
  std::vector<std::pair<vst3::IEventHandler*, int>> handlers;
  std::vector<vst3::ITimerHandler*> timers;
};
