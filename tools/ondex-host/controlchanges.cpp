#include "controlchanges.h"

#include <algorithm>
#include <cmath>

#include "arguments.h"
#include "failure.h"

ControlChange parseControlChange(const std::string& text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t colon = text.find(':', start);
    fields.push_back(
        text.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
    if (colon == std::string::npos) {
      break;
    }
    start = colon + 1;
  }
  const std::string what = "--cc " + text;
  if (fields.size() != 4) {
    throw Failure(what + ": expected TIME:CHANNEL:CONTROLLER:VALUE");
  }
  ControlChange change{};
  change.seconds = parseNumber(fields[0], what + ": time");
  const long channel = parseInteger(fields[1], what + ": channel");
  const long controller = parseInteger(fields[2], what + ": controller");
  const long value = parseInteger(fields[3], what + ": value");
  if (change.seconds < 0.0) {
    throw Failure(what + ": time must not be negative");
  }
  if (channel < 1 || channel > 16) {
    throw Failure(what + ": channel must be 1..16");
  }
  if (controller < 0 || controller > 127) {
    throw Failure(what + ": controller must be 0..127");
  }
  if (value < 0 || value > 127) {
    throw Failure(what + ": value must be 0..127");
  }
  change.channel = static_cast<int>(channel);
  change.controller = static_cast<int>(controller);
  change.value = static_cast<int>(value);
  return change;
}

void ControlSchedule::add(const ControlChange& change) {
  changes.push_back(change);
  std::stable_sort(
      changes.begin(), changes.end(),
      [](const ControlChange& a, const ControlChange& b) { return a.seconds < b.seconds; });
}

std::vector<VstMidiEvent> ControlSchedule::eventsFor(double firstFrame, VstInt32 frames,
                                                     double sampleRate) const {
  std::vector<VstMidiEvent> events;
  for (const ControlChange& change : changes) {
    const double frame = std::floor(change.seconds * sampleRate);
    if (frame < firstFrame || frame >= firstFrame + frames) {
      continue;
    }
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = static_cast<VstInt32>(frame - firstFrame);
    event.midiData[0] = static_cast<char>(0xb0 | (change.channel - 1));
    event.midiData[1] = static_cast<char>(change.controller);
    event.midiData[2] = static_cast<char>(change.value);
    events.push_back(event);
  }
  return events;
}
