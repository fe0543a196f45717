// A timer on the host's UI thread that tells the host what blocks left for
// it to re-read (a text that moved with Dlyx2, a value a block moved that had
// nowhere to go), whether or not an editor is open to idle: the host's run
// loop on Linux (the plug-in's context or the factory's lends it), the
// platform's timer on Windows.
#pragma once

#include "host/vst3.h"
#include "vst3unknown.h"

class Vst3Plugin;

class Vst3NewsTimer final : public Vst3Counted<Vst3NewsTimer>, public vst3::ITimerHandler {
 public:
  // UI thread: a running timer, or null where the host lends none.
  static Vst3NewsTimer* start(Vst3Plugin* plugin, vst3::FUnknown* context);
  // UI thread: the timer stops and lets go; the host may hold it a little longer.
  void stop();

  vst3::tresult VST3_API queryInterface(const vst3::TUID interfaceId, void** obj) override;
  vst3::uint32 VST3_API addRef() override { return addReference(); }
  vst3::uint32 VST3_API release() override { return dropReference(); }
  void VST3_API onTimer() override;

 private:
  friend class Vst3Counted<Vst3NewsTimer>;
  explicit Vst3NewsTimer(Vst3Plugin* owner) : plugin(owner) {}
  ~Vst3NewsTimer() = default;

  Vst3Plugin* plugin;
  vst3::IRunLoop* runLoop = nullptr;
  void* platformTimer = nullptr;
};

// The context the factory was given (setHostContext), or null. UI thread.
vst3::FUnknown* factoryHostContext();
