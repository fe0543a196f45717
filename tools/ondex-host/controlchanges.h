// MIDI control changes given as "--cc TIME:CHANNEL:CONTROLLER:VALUE" (seconds,
// channel 1..16, controller and value 0..127), delivered before the block that
// contains their time.
#pragma once

#include <string>
#include <vector>

#include "host/vst2.h"

struct ControlChange {
  double seconds;
  int channel;
  int controller;
  int value;
};

// Throws Failure naming what is wrong.
ControlChange parseControlChange(const std::string& text);

class ControlSchedule {
 public:
  void add(const ControlChange& change);
  // The events of the block [first, first + frames), each at its offset.
  std::vector<VstMidiEvent> eventsFor(double firstFrame, VstInt32 frames, double sampleRate) const;

 private:
  std::vector<ControlChange> changes;
};
