#include "lv2instance.h"

#include <lv2/buf-size/buf-size.h>
#include <lv2/log/log.h>
#include <lv2/midi/midi.h>
#include <lv2/parameters/parameters.h>
#include <lv2/state/state.h>
#include <lv2/time/time.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>

#include "failure.h"

namespace {

// Room for a block's MIDI and one position when the plug-in asks for less.
constexpr uint32_t kAtomBufferBytes = 8192;

// The plug-in's messages go to standard error, where a host's log shows them.
int logPrintf(LV2_Log_Handle /*handle*/, LV2_URID /*type*/, const char* format, va_list args) {
  std::fputs("plug-in: ", stderr);
  return std::vfprintf(stderr, format, args);
}

int logPrintfVariadic(LV2_Log_Handle handle, LV2_URID type, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int written = logPrintf(handle, type, format, args);
  va_end(args);
  return written;
}

LV2_Log_Log logFace = {nullptr, logPrintfVariadic, logPrintf};

// What the plug-in stored through its state interface, by key.
struct StoredProperty {
  uint32_t type = 0;
  std::vector<unsigned char> bytes;
};
using StoredProperties = std::map<LV2_URID, StoredProperty>;

LV2_State_Status storeProperty(LV2_State_Handle handle, uint32_t key, const void* value,
                               size_t size, uint32_t type, uint32_t /*flags*/) {
  const auto* from = static_cast<const unsigned char*>(value);
  (*static_cast<StoredProperties*>(handle))[key] = {type, {from, from + size}};
  return LV2_STATE_SUCCESS;
}

const void* retrieveProperty(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                             uint32_t* flags) {
  const auto& stored = *static_cast<const StoredProperties*>(handle);
  const auto found = stored.find(key);
  if (found == stored.end()) {
    return nullptr;
  }
  *size = found->second.bytes.size();
  *type = found->second.type;
  *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
  return found->second.bytes.data();
}

const LV2_State_Interface* stateInterface(LilvInstance* instance) {
  return static_cast<const LV2_State_Interface*>(
      lilv_instance_get_extension_data(instance, LV2_STATE__interface));
}

}  // namespace

Lv2Instance::Lv2Instance(std::shared_ptr<const Lv2Bundle> bundle, double sampleRate,
                         uint32_t maxFrames)
    : source(std::move(bundle)),
      rate(sampleRate),
      longestBlock(std::max<uint32_t>(maxFrames, 1)),
      longestBlockOption(static_cast<int32_t>(longestBlock)),
      rateOption(static_cast<float>(sampleRate)) {
  UridMap& urids = source->urids();
  urid = {urids.map(LV2_ATOM__Chunk),       urids.map(LV2_ATOM__Double),
          urids.map(LV2_ATOM__Bool),        urids.map(LV2_ATOM__Long),
          urids.map(LV2_ATOM__Sequence),    urids.map(LV2_ATOM__Int),
          urids.map(LV2_ATOM__Float),       urids.map(LV2_MIDI__MidiEvent),
          urids.map(LV2_TIME__Position),    urids.map(LV2_TIME__bar),
          urids.map(LV2_TIME__barBeat),     urids.map(LV2_TIME__beatUnit),
          urids.map(LV2_TIME__beatsPerBar), urids.map(LV2_TIME__beatsPerMinute),
          urids.map(LV2_TIME__frame),       urids.map(LV2_TIME__speed),
          urids.map(LV2_ATOM__Object),      urids.map(LV2_STATE__StateChanged)};
  lv2_atom_forge_init(&forge, urids.lv2Map());

  options = {{LV2_OPTIONS_INSTANCE, 0, urids.map(LV2_BUF_SIZE__maxBlockLength), sizeof(int32_t),
              urid.atomInt, &longestBlockOption},
             {LV2_OPTIONS_INSTANCE, 0, urids.map(LV2_PARAMETERS__sampleRate), sizeof(float),
              urid.atomFloat, &rateOption},
             {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
  featureStore = {*urids.mapFeature(),
                  *urids.unmapFeature(),
                  {LV2_OPTIONS__options, options.data()},
                  {LV2_BUF_SIZE__boundedBlockLength, nullptr},
                  {LV2_LOG__log, &logFace}};
  for (const LV2_Feature& f : featureStore) featureList.push_back(&f);
  featureList.push_back(nullptr);

  const LilvNodes* required = lilv_plugin_get_required_features(source->plugin());
  LILV_FOREACH(nodes, i, required) {
    const char* needed = lilv_node_as_uri(lilv_nodes_get(required, i));
    if (std::none_of(featureStore.begin(), featureStore.end(),
                     [&](const LV2_Feature& f) { return std::strcmp(f.URI, needed) == 0; })) {
      lilv_nodes_free(const_cast<LilvNodes*>(required));  // NOLINT: lilv hands it over
      throw Failure(source->path() + " needs the LV2 feature " + needed +
                    ", which ondex-host does not offer");
    }
  }
  lilv_nodes_free(const_cast<LilvNodes*>(required));  // NOLINT: lilv hands it over

  for (const Lv2Port& p : source->ports()) {
    if (p.kind == Lv2Port::Kind::kOther && !p.optional) {
      throw Failure(source->path() + ": port " + p.symbol +
                    " is of a kind ondex-host cannot connect");
    }
  }
  instance = lilv_plugin_instantiate(source->plugin(), rate, featureList.data());
  if (instance == nullptr) {
    throw Failure(source->path() + ": the LV2 plug-in failed to start");
  }
  connectPorts();
}

Lv2Instance::~Lv2Instance() {
  deactivate();
  lilv_instance_free(instance);
}

void Lv2Instance::connectPorts() {
  const std::vector<Lv2Port>& ports = source->ports();
  controls.assign(ports.size(), 0.0f);
  atomBuffers.assign(ports.size(), {});
  for (const Lv2Port& p : ports) {
    switch (p.kind) {
      case Lv2Port::Kind::kControl:
        controls[p.index] = p.defaultValue;
        lilv_instance_connect_port(instance, p.index, &controls[p.index]);
        break;
      case Lv2Port::Kind::kAudio:
        (p.input ? audioIn : audioOut).push_back(p.index);
        break;
      case Lv2Port::Kind::kAtom: {
        const uint32_t bytes = std::max(p.minimumBuffer, kAtomBufferBytes);
        atomBuffers[p.index].assign((bytes + 7) / 8, 0);
        lilv_instance_connect_port(instance, p.index, atomBuffers[p.index].data());
        (p.input ? atomIn : atomOut).push_back(p.index);
        break;
      }
      case Lv2Port::Kind::kOther:  // optional, as checked before the instance was made
        lilv_instance_connect_port(instance, p.index, nullptr);
        break;
    }
  }
}

bool Lv2Instance::setPortValue(const std::string& symbol, float value) {
  for (const Lv2Port& p : source->ports()) {
    if (p.kind == Lv2Port::Kind::kControl && p.input && p.symbol == symbol) {
      controls[p.index] = value;
      return true;
    }
  }
  return false;
}

void Lv2Instance::activate() {
  if (!active) {
    lilv_instance_activate(instance);
    active = true;
  }
}

void Lv2Instance::deactivate() {
  if (active) {
    lilv_instance_deactivate(instance);
    active = false;
  }
}

void Lv2Instance::writeEvents(const std::vector<Lv2MidiEvent>& midi, const Lv2Position* position) {
  for (const uint32_t index : atomIn) {
    std::vector<uint64_t>& buffer = atomBuffers[index];
    lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(buffer.data()),  // NOLINT: bytes
                              buffer.size() * sizeof(uint64_t));
    LV2_Atom_Forge_Frame sequence;
    lv2_atom_forge_sequence_head(&forge, &sequence, 0);
    if (position != nullptr) {
      LV2_Atom_Forge_Frame object;
      lv2_atom_forge_frame_time(&forge, 0);
      lv2_atom_forge_object(&forge, &object, 0, urid.timePosition);
      lv2_atom_forge_key(&forge, urid.timeFrame);
      lv2_atom_forge_long(&forge, static_cast<int64_t>(position->frame));
      lv2_atom_forge_key(&forge, urid.timeSpeed);
      lv2_atom_forge_float(&forge, position->playing ? 1.0f : 0.0f);
      lv2_atom_forge_key(&forge, urid.timeBar);
      lv2_atom_forge_long(&forge, position->bar);
      lv2_atom_forge_key(&forge, urid.timeBarBeat);
      lv2_atom_forge_float(&forge, static_cast<float>(position->barBeat));
      lv2_atom_forge_key(&forge, urid.timeBeatUnit);
      lv2_atom_forge_int(&forge, position->beatUnit);
      lv2_atom_forge_key(&forge, urid.timeBeatsPerBar);
      lv2_atom_forge_float(&forge, position->beatsPerBar);
      lv2_atom_forge_key(&forge, urid.timeBeatsPerMinute);
      lv2_atom_forge_float(&forge, static_cast<float>(position->beatsPerMinute));
      lv2_atom_forge_pop(&forge, &object);
    }
    for (const Lv2MidiEvent& e : midi) {
      // Status bytes tell a message's length; MIDI here is channel messages.
      const uint32_t size = (e.bytes[0] & 0xE0) == 0xC0 ? 2 : 3;
      lv2_atom_forge_frame_time(&forge, e.frame);
      lv2_atom_forge_atom(&forge, size, urid.midiEvent);
      lv2_atom_forge_write(&forge, e.bytes, size);
    }
    lv2_atom_forge_pop(&forge, &sequence);
  }
  for (const uint32_t index : atomOut) {
    // An output's atom says how much room the plug-in has to write into.
    auto* atom = reinterpret_cast<LV2_Atom*>(atomBuffers[index].data());  // NOLINT: the layout
    atom->type = urid.atomChunk;
    atom->size = static_cast<uint32_t>(atomBuffers[index].size() * sizeof(uint64_t)) -
                 static_cast<uint32_t>(sizeof(LV2_Atom));
  }
}

void Lv2Instance::run(const float* const* inputs, float* const* outputs, uint32_t frames,
                      const std::vector<Lv2MidiEvent>& midi, const Lv2Position* position) {
  for (size_t i = 0; i < audioIn.size(); ++i) {
    // LV2 ports take plain pointers; the plug-in only reads its inputs.
    lilv_instance_connect_port(instance, audioIn[i], const_cast<float*>(inputs[i]));  // NOLINT
  }
  for (size_t i = 0; i < audioOut.size(); ++i) {
    lilv_instance_connect_port(instance, audioOut[i], outputs[i]);
  }
  writeEvents(midi, position);
  lilv_instance_run(instance, frames);
  readNotices();
}

void Lv2Instance::readNotices() {
  for (const uint32_t index : atomOut) {
    const auto* sequence =
        reinterpret_cast<const LV2_Atom_Sequence*>(atomBuffers[index].data());  // NOLINT: layout
    if (sequence->atom.type != urid.atomSequence) {
      continue;  // left as the host wrote it: nothing said
    }
    LV2_ATOM_SEQUENCE_FOREACH(sequence, event) {
      if (event->body.type == urid.atomObject &&
          reinterpret_cast<const LV2_Atom_Object*>(&event->body)->body.otype ==  // NOLINT
              urid.stateChanged) {
        ++stateChangeCount;
      }
    }
  }
}

std::vector<unsigned char> Lv2Instance::saveProperty(const char* property) const {
  const LV2_State_Interface* state = stateInterface(instance);
  StoredProperties stored;
  if (state == nullptr || state->save(lilv_instance_get_handle(instance), storeProperty, &stored,
                                      LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE,
                                      featureList.data()) != LV2_STATE_SUCCESS) {
    return {};
  }
  const auto found = stored.find(source->urids().map(property));
  return found == stored.end() ? std::vector<unsigned char>{} : found->second.bytes;
}

bool Lv2Instance::restoreProperty(const char* property, const std::vector<unsigned char>& bytes) {
  const LV2_State_Interface* state = stateInterface(instance);
  StoredProperties stored;
  stored[source->urids().map(property)] = {urid.atomChunk, bytes};
  return state != nullptr && state->restore(lilv_instance_get_handle(instance), retrieveProperty,
                                            &stored, 0, featureList.data()) == LV2_STATE_SUCCESS;
}

float Lv2Instance::numberOf(const void* value, uint32_t size, uint32_t type) const {
  // lilv types a preset's port value by how its literal is written ("1", "0.5").
  const auto read = [&](auto n) {
    if (size != sizeof(n)) return 0.0f;
    std::memcpy(&n, value, sizeof(n));
    return static_cast<float>(n);
  };
  if (type == urid.atomFloat) return read(0.0f);
  if (type == urid.atomDouble) return read(0.0);
  if (type == urid.atomInt || type == urid.atomBool) return read(int32_t{0});
  if (type == urid.atomLong) return read(int64_t{0});
  return 0.0f;
}

bool Lv2Instance::loadPreset(const std::string& uri) {
  LilvWorld* world = source->world();
  LilvNode* node = lilv_new_uri(world, uri.c_str());
  LilvState* state = lilv_state_new_from_world(world, source->urids().lv2Map(), node);
  lilv_node_free(node);
  if (state == nullptr) {
    return false;
  }
  lilv_state_restore(
      state, instance,
      [](const char* symbol, void* self, const void* value, uint32_t size, uint32_t type) {
        auto& host = *static_cast<Lv2Instance*>(self);
        host.setPortValue(symbol, host.numberOf(value, size, type));
      },
      this, 0, featureList.data());
  lilv_state_free(state);
  return true;
}
