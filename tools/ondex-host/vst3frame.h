// The host's side of an editor: the IPlugFrame a view asks to resize it,
// which lends the host's run loop on Linux, where the view registers the X
// connection's descriptor and its timers.
#pragma once

#include <utility>
#include <vector>

#include "vst3runloop.h"

class Vst3PlugFrame : public Vst3HostObject<vst3::IPlugFrame> {
 public:
  explicit Vst3PlugFrame(Vst3RunLoop& loop) : loop(loop) {}
  vst3::tresult VST3_API queryInterface(const vst3::TUID iid, void** obj) override;
  vst3::tresult VST3_API resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) override;

  std::vector<std::pair<vst3::int32, vst3::int32>> resizeRequests;  // width, height

 private:
  Vst3RunLoop& loop;
};
