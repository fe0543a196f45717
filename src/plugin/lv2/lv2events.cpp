// The event port's block through the effect interface: MIDI events and time
// positions become block events on their own frames, and a block longer than
// the effect takes, or with more events than it holds at once, runs in parts.
#include <algorithm>
#include <cmath>

#include "lv2/atom/util.h"
#include "lv2plugin.h"

// The sequence's events land on their frames; a block longer than the effect
// takes, or with more events than it holds at once, is split into parts.
void Lv2Plugin::readEvents(uint32_t frames, size_t count) {
  if (events != nullptr && events->atom.type == urid.atomSequence) {
    // Times in beats (no host we know sends them) count as the block's start.
    const bool inFrames = events->body.unit == 0 || events->body.unit == urid.atomFrameTime;
    uint32_t previous = 0;
    LV2_ATOM_SEQUENCE_FOREACH(events, event) {
      // An event out of order is taken at the one before: time never runs back.
      const uint32_t at = static_cast<uint32_t>(
          std::clamp<int64_t>(inFrames ? event->time.frames : 0, previous, frames));
      previous = at;
      while (at - partStart > maxFrames) {
        runPart(partStart + maxFrames, count);
        count = 0;
      }
      if (count == blockEvents.size()) {
        runPart(at, count);
        count = 0;
      }
      if (blockEventOf(*event, blockEvents[count])) {
        blockEvents[count].frame = at;
        ++count;
      }
    }
  }
  while (frames - partStart > maxFrames) {
    runPart(partStart + maxFrames, count);
    count = 0;
  }
  runPart(frames, count);
}

bool Lv2Plugin::blockEventOf(const LV2_Atom_Event& event, BlockEvent& out) {
  const LV2_Atom& body = event.body;
  if (body.type == urid.midiEvent) {
    if (body.size == 0 || body.size > 3) {
      return false;  // controllers only: no system exclusive
    }
    out = BlockEvent{};
    out.kind = BlockEvent::Kind::kMidi;
    const auto* bytes = static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&body));
    std::copy(bytes, bytes + body.size, out.midi);
    return true;
  }
  if (body.type != urid.atomObject && body.type != urid.atomBlank) {
    return false;
  }
  const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&body);  // NOLINT: by its type
  if (object->body.otype != urid.timePosition) {
    return false;
  }
  const LV2_Atom* beat = nullptr;
  const LV2_Atom* bar = nullptr;
  const LV2_Atom* barBeat = nullptr;
  const LV2_Atom* beatsPerBar = nullptr;
  const LV2_Atom* beatUnit = nullptr;
  const LV2_Atom* tempo = nullptr;
  const LV2_Atom* speed = nullptr;
  lv2_atom_object_get(object, urid.timeBeat, &beat, urid.timeBar, &bar, urid.timeBarBeat, &barBeat,
                      urid.timeBeatsPerBar, &beatsPerBar, urid.timeBeatUnit, &beatUnit,
                      urid.timeBeatsPerMinute, &tempo, urid.timeSpeed, &speed, 0);
  const auto read = [this](const LV2_Atom* atom, double& out) { return numberOf(atom, out); };
  Transport now = latest;
  double value = 0.0;
  if (read(tempo, value) && value > 0.0) {
    now.hasTempo = true;
    now.tempo = value;
  }
  if (read(speed, value)) {
    now.playing = value != 0.0;
  }
  // The song's position in quarter notes: the running beat where the host
  // gives it, else worked out from the bar; a beat is a quarter note scaled by its unit.
  double unit = 4.0;
  if (read(beatUnit, value) && value > 0.0) {
    unit = value;
  }
  double perBar = 4.0;
  double barIndex = 0.0;
  double inBar = 0.0;
  if (read(beat, value)) {
    now.hasBeats = true;
    now.beats = value * 4.0 / unit;
  } else if (read(bar, barIndex) && read(barBeat, inBar)) {
    if (read(beatsPerBar, value) && value > 0.0) {
      perBar = value;
    }
    now.hasBeats = true;
    now.beats = (barIndex * perBar + inBar) * 4.0 / unit;
  }
  out = BlockEvent{};
  out.kind = BlockEvent::Kind::kTransport;
  out.transport = now;
  latest = now;  // what a later object that tells only part of the position builds on
  return true;
}

// A number of a time position, whichever atom type the host chose.
bool Lv2Plugin::numberOf(const LV2_Atom* atom, double& out) const {
  if (atom == nullptr) {
    return false;
  }
  const void* body = LV2_ATOM_BODY_CONST(atom);
  if (atom->type == urid.atomInt && atom->size >= sizeof(int32_t)) {
    out = *static_cast<const int32_t*>(body);
  } else if (atom->type == urid.atomLong && atom->size >= sizeof(int64_t)) {
    out = static_cast<double>(*static_cast<const int64_t*>(body));
  } else if (atom->type == urid.atomFloat && atom->size >= sizeof(float)) {
    out = *static_cast<const float*>(body);
  } else if (atom->type == urid.atomDouble && atom->size >= sizeof(double)) {
    out = *static_cast<const double*>(body);
  } else {
    return false;
  }
  return std::isfinite(out);
}

void Lv2Plugin::runPart(uint32_t to, size_t count) {
  const uint32_t from = partStart;
  AudioBlock part;
  part.frames = to - from;
  if (outputs[0] != nullptr) {
    part.outputs[0] = outputs[0] + from;
    part.outputs[1] = outputs[1] != nullptr ? outputs[1] + from : nullptr;
    if (inputs[0] != nullptr) {
      part.inputs[0] = inputs[0] + from;
      part.inputs[1] = inputs[1] != nullptr ? inputs[1] + from : nullptr;
    }
  } else {
    part.frames = 0;  // no output to write: the events alone apply
  }
  for (size_t i = 0; i < count; ++i) {
    blockEvents[i].frame -= std::min(blockEvents[i].frame, from);
  }
  ondex->process(part, blockEvents.data(), count, hasTransport ? &transport : nullptr);
  // The next part starts where this one's song has moved to: the host tells
  // the position only when it changes, so while playing it moves on by itself.
  uint32_t since = 0;
  for (size_t i = 0; i < count; ++i) {
    if (blockEvents[i].kind == BlockEvent::Kind::kTransport) {
      transport = blockEvents[i].transport;
      hasTransport = true;
      since = blockEvents[i].frame;
    }
  }
  if (hasTransport && transport.playing && sampleRate > 0.0) {
    transport.beats += (to - from - since) * transport.tempo / (60.0 * sampleRate);
  }
  latest = transport;
  partStart = to;
}
