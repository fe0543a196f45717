// A host's event list, built for tests.
#pragma once

#include <vector>

#include "host/vst2.h"

class MidiEvents {
 public:
  MidiEvents& add(unsigned char status, unsigned char data1, unsigned char data2,
                  VstInt32 type = kVstMidiType);
  MidiEvents& controlChange(int channel, int controller, int value) {
    return add(static_cast<unsigned char>(0xb0 | channel), static_cast<unsigned char>(controller),
               static_cast<unsigned char>(value));
  }
  // The list as the host hands it over; valid until the next add.
  VstEvents* list();

 private:
  std::vector<VstMidiEvent> events;
  std::vector<unsigned char> storage;
};
