// The LV2 instance's life cycle, its ports and the effect's notices: a
// control port that moved becomes a parameter event of the block
// (lv2events.cpp runs the block), and what the plug-in moved itself is kept
// for the editor's module.
#include "lv2plugin.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

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
  urid = {id(kLv2ChunkUri),          id(kLv2PortsUri),           id(kLv2FactoryProgramUri),
          id(LV2_ATOM__frameTime),   id(LV2_ATOM__Chunk),        id(LV2_ATOM__Vector),
          id(LV2_ATOM__Sequence),    id(LV2_ATOM__Object),       id(LV2_ATOM__Blank),
          id(LV2_ATOM__Int),         id(LV2_ATOM__Long),         id(LV2_ATOM__Float),
          id(LV2_ATOM__Double),      id(LV2_MIDI__MidiEvent),    id(LV2_TIME__Position),
          id(LV2_TIME__beat),        id(LV2_TIME__bar),          id(LV2_TIME__barBeat),
          id(LV2_TIME__beatsPerBar), id(LV2_TIME__beatUnit),     id(LV2_TIME__beatsPerMinute),
          id(LV2_TIME__speed),       id(LV2_STATE__StateChanged)};
  lv2_atom_forge_init(&forge, map);
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
    case kLv2Notify:
      notify = static_cast<LV2_Atom_Sequence*>(data);
      return;
    default:
      if (port >= kLv2FirstParameter && port < kLv2Notify) {
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
  writeNotices();
}

// The notices' sequence, in the room the host's atom says it has: empty, or
// one state:StateChanged at the block's start.
void Lv2Plugin::writeNotices() {
  if (notify == nullptr || notify->atom.size < sizeof(LV2_Atom_Sequence_Body)) {
    return;
  }
  const uint32_t capacity = notify->atom.size;  // before the sequence's head overwrites it
  lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(notify),  // NOLINT: the atom's bytes
                            sizeof(LV2_Atom) + capacity);
  LV2_Atom_Forge_Frame sequence;
  lv2_atom_forge_sequence_head(&forge, &sequence, 0);
  // Told once there is room for it; a host that gave too little hears nothing.
  const bool room = capacity >= sizeof(LV2_Atom_Sequence_Body) + sizeof(LV2_Atom_Event) +
                                    sizeof(LV2_Atom_Object_Body);
  if (room && stateChanged.exchange(false, std::memory_order_relaxed)) {
    LV2_Atom_Forge_Frame object;
    lv2_atom_forge_frame_time(&forge, 0);
    lv2_atom_forge_object(&forge, &object, 0, urid.stateChanged);
    lv2_atom_forge_pop(&forge, &object);
  }
  lv2_atom_forge_pop(&forge, &sequence);
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
  const bool gesture =
      change.cause == ChangeCause::kGestureBegin || change.cause == ChangeCause::kGestureEnd;
  const bool binding = change.index >= kNumZelParameters;
  // A binding learned or loaded, a program chosen or renamed: the state
  // changed where no port shows it.
  if (!restoring && !gesture && (binding || change.cause == ChangeCause::kDisplay)) {
    stateChanged.store(true, std::memory_order_relaxed);
  }
  if (change.index < 0 || binding) {
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
