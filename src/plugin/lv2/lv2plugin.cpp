// The LV2 instance's life cycle and processing through the effect interface:
// moved control ports and the event port's MIDI and time positions become the
// effect's block events on their own frames.
#include "lv2plugin.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "lv2/atom/util.h"
#include "lv2/buf-size/buf-size.h"
#include "lv2/core/lv2_util.h"
#include "lv2/midi/midi.h"
#include "lv2/options/options.h"
#include "lv2/time/time.h"
#include "lv2portvalues.h"

namespace {

// Events of one block the effect takes at once; a block with more is split.
constexpr size_t kEventsAtOnce = 1024;
constexpr float kNoEcho = std::numeric_limits<float>::quiet_NaN();

}  // namespace

Lv2Plugin::Lv2Plugin(double rate, LV2_URID_Map* map) : sampleRate(rate) {
  const auto id = [map](const char* uri) { return map->map(map->handle, uri); };
  urid = {id(kLv2ChunkUri),          id(kLv2PortsUri),        id(kLv2FactoryProgramUri),
          id(LV2_ATOM__frameTime),   id(LV2_ATOM__Chunk),     id(LV2_ATOM__Vector),
          id(LV2_ATOM__Sequence),    id(LV2_ATOM__Object),    id(LV2_ATOM__Blank),
          id(LV2_ATOM__Int),         id(LV2_ATOM__Long),      id(LV2_ATOM__Float),
          id(LV2_ATOM__Double),      id(LV2_MIDI__MidiEvent), id(LV2_TIME__Position),
          id(LV2_TIME__beat),        id(LV2_TIME__bar),       id(LV2_TIME__barBeat),
          id(LV2_TIME__beatsPerBar), id(LV2_TIME__beatUnit),  id(LV2_TIME__beatsPerMinute),
          id(LV2_TIME__speed)};
  for (auto& echo : echoes) {
    echo.store(kNoEcho);
  }
}

Lv2Plugin::~Lv2Plugin() { delete ondex; }

Lv2Plugin* Lv2Plugin::create(double sampleRate, const LV2_Feature* const* features) {
  auto* map = static_cast<LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map));
  if (map == nullptr || !(sampleRate > 0.0)) {
    return nullptr;
  }
  auto* plugin = new (std::nothrow) Lv2Plugin(sampleRate, map);
  if (plugin == nullptr) {
    return nullptr;
  }
  plugin->ondex = OndexEffect::create();
  if (plugin->ondex == nullptr) {
    delete plugin;
    return nullptr;
  }
  plugin->readOptions(map, features);
  plugin->blockEvents.resize(kEventsAtOnce);  // once: never on the audio thread
  plugin->ondex->setListener(plugin);
  // A port the host left at its default is no news; one it set before the
  // first run (a filter chain's configured value) applies then.
  for (int id = 0; id < kNumZelParameters; ++id) {
    plugin->lastPort[id].store(lv2PortFromNormalized(id, kParameterTable[id].defaultValue));
  }
  return plugin;
}

// The longest block the host will run, where it says so.
void Lv2Plugin::readOptions(LV2_URID_Map* map, const LV2_Feature* const* features) {
  const auto* options =
      static_cast<const LV2_Options_Option*>(lv2_features_data(features, LV2_OPTIONS__options));
  const LV2_URID maxLength = map->map(map->handle, LV2_BUF_SIZE__maxBlockLength);
  for (const LV2_Options_Option* o = options; o != nullptr && o->key != 0; ++o) {
    if (o->key == maxLength && o->type == urid.atomInt && o->value != nullptr) {
      const int32_t frames = *static_cast<const int32_t*>(o->value);
      if (frames > 0) {
        maxFrames = static_cast<uint32_t>(frames);
      }
    }
  }
}

void Lv2Plugin::connect(uint32_t port, void* data) {
  switch (port) {
    case kLv2InL:
    case kLv2InR:
      inputs[port - kLv2InL] = static_cast<const float*>(data);
      return;
    case kLv2OutL:
    case kLv2OutR:
      outputs[port - kLv2OutL] = static_cast<float*>(data);
      return;
    case kLv2Events:
      events = static_cast<const LV2_Atom_Sequence*>(data);
      return;
    default:
      if (port >= kLv2FirstParameter && port < kLv2PortCount) {
        controls[port - kLv2FirstParameter] = static_cast<const float*>(data);
      }
      return;
  }
}

void Lv2Plugin::activate() {
  if (!active) {
    active = ondex->activate(sampleRate, maxFrames);
  }
}

void Lv2Plugin::deactivate() {
  if (active) {
    ondex->deactivate();
    active = false;
  }
}

void Lv2Plugin::run(uint32_t frames) {
  if (!active) {
    return;  // a host that never activated us gets nothing
  }
  partStart = 0;
  readEvents(frames, collectPortChanges());
}

// A control applies only when it moved since the previous run; a switch or a
// step only when the step it selects is not the one in force already.
size_t Lv2Plugin::collectPortChanges() {
  if (portsRestored.exchange(false)) {
    for (int id = 0; id < kNumZelParameters; ++id) {
      lastPort[id].store(restoredPorts[id].load(std::memory_order_relaxed),
                         std::memory_order_relaxed);
    }
  }
  size_t count = 0;
  for (int id = 0; id < kNumZelParameters; ++id) {
    if (controls[id] == nullptr) {
      continue;
    }
    const float port = *controls[id];
    const float last = lastPort[id].load(std::memory_order_relaxed);
    if (port == last || (std::isnan(port) && std::isnan(last))) {
      continue;
    }
    lastPort[id].store(port, std::memory_order_relaxed);
    // The editor's own write coming back is the value already in force.
    if (echoes[id].exchange(kNoEcho) == port) {
      continue;
    }
    const float value = lv2NormalizedFromPort(id, port);
    const int steps = lv2PortSteps(id);
    if (steps != 0 && stepIndex(value, steps) == stepIndex(ondex->parameter(id), steps)) {
      continue;
    }
    BlockEvent& event = blockEvents[count++];
    event = BlockEvent{};
    event.kind = BlockEvent::Kind::kParameter;
    event.id = static_cast<uint32_t>(id);
    event.value = value;
  }
  return count;
}

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

void Lv2Plugin::portWritten(uint32_t id, float portValue) {
  if (id < kNumZelParameters) {
    echoes[id].store(portValue);
  }
}

void Lv2Plugin::setEditorResize(Lv2EditorResize resize, void* context) {
  editorResize = resize;
  editorResizeContext = context;
}

// Every value the plug-in moved itself, whatever the cause, is kept for the
// editor's module to write to the host's port.
void Lv2Plugin::effectChanged(const EffectChange& change) {
  if (change.index < 0 || change.index >= kNumZelParameters) {
    return;  // a controller binding: kept in the state, no port of ours
  }
  const uint32_t bit = 1U << static_cast<uint32_t>(change.index);
  switch (change.cause) {
    case ChangeCause::kGestureBegin:
      gesturesBegun.fetch_or(bit);
      return;
    case ChangeCause::kGestureEnd:
      gesturesEnded.fetch_or(bit);
      return;
    case ChangeCause::kEdited:
    case ChangeCause::kRefused:
    case ChangeCause::kMoved:
    case ChangeCause::kLoaded:
      moved.fetch_or(bit);
      return;
    default:
      return;  // names and texts: the ports hold no such thing
  }
}

bool Lv2Plugin::editorResizeWanted(int32_t width, int32_t height) {
  return editorResize != nullptr && width > 0 && height > 0 &&
         editorResize(editorResizeContext, width, height);
}
