#include "midievents.h"

#include <cstring>

MidiEvents& MidiEvents::add(unsigned char status, unsigned char data1, unsigned char data2,
                            VstInt32 type) {
  VstMidiEvent e{};
  e.type = type;
  e.byteSize = sizeof(VstMidiEvent);
  e.midiData[0] = static_cast<char>(status);
  e.midiData[1] = static_cast<char>(data1);
  e.midiData[2] = static_cast<char>(data2);
  events.push_back(e);
  return *this;
}

VstEvents* MidiEvents::list() {
  // The header, then one event pointer per event (and a spare).
  storage.assign(offsetof(VstEvents, events) +
                     sizeof(VstEvent*) * (events.size() + 1),  // NOLINT(bugprone-sizeof-expression)
                 0);
  auto* header = reinterpret_cast<VstEvents*>(storage.data());  // NOLINT: host layout
  header->numEvents = static_cast<VstInt32>(events.size());
  VstEvent** entries = header->events;  // as many as there are events, past the two declared
  for (size_t i = 0; i < events.size(); ++i) {
    entries[i] = reinterpret_cast<VstEvent*>(&events[i]);  // NOLINT: host layout
  }
  return header;
}
