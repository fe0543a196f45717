// The effect's derived controls as tests read them: what a parameter, the
// host's tempo or a sample-rate change made of the values the engine runs on.
// Any thread, but the song position and the engine, which belong to the
// audio thread.
#pragma once

#include <atomic>

#include "plugin/zel.h"

class ZelProbe {
 public:
  explicit ZelProbe(const Zel& zel) : zel(zel) {}

  float delayTimeMs() const { return read(zel.delayTimeMs); }
  float clockPeriod() const { return read(zel.clockPeriod); }
  float manualClock() const { return read(zel.manualClock); }
  float rateHz() const { return read(zel.rateHz); }
  float antiAliasCutoff() const { return read(zel.antiAliasCutoff); }
  bool clockSyncOn() const { return read(zel.clockSyncOn); }
  bool repeatEngaged() const { return read(zel.repeatEngaged); }
  int engineSampleRate() const { return read(zel.engineRate); }
  float songPosition() const { return zel.songPositionBeats; }
  const DelayEngine& engine() const { return zel.engine; }

 private:
  template <typename T>
  static T read(const std::atomic<T>& value) {
    return value.load(std::memory_order_relaxed);
  }
  const Zel& zel;
};
