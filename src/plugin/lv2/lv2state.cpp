// The LV2 state: the effect's bytes, the same VST 2.4 bank chunk every format
// stores, so a session moves between formats whole; beside them the control
// ports' values as the host held them, so a reload's stale ports undo nothing.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "lv2plugin.h"
#include "presets/factorypresets.h"

namespace {

// The #ports property's body: an atom:Vector of one float a parameter.
struct PortsVector {
  LV2_Atom_Vector_Body body;
  float values[kNumZelParameters];
};

}  // namespace

LV2_State_Status Lv2Plugin::save(LV2_State_Store_Function store, LV2_State_Handle state) {
  const unsigned char* bytes = nullptr;
  const size_t size = ondex->saveState(bytes);
  if (size == 0 || bytes == nullptr) {
    return LV2_STATE_ERR_UNKNOWN;
  }
  // Plain bytes with no host-specific meaning: the host may copy them anywhere.
  const LV2_State_Status saved = store(state, urid.chunk, bytes, size, urid.atomChunk,
                                       LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
  if (saved != LV2_STATE_SUCCESS) {
    return saved;
  }
  PortsVector ports{};
  ports.body.child_size = sizeof(float);
  ports.body.child_type = urid.atomFloat;
  for (int id = 0; id < kNumZelParameters; ++id) {
    ports.values[id] = lastPort[id].load(std::memory_order_relaxed);
  }
  return store(state, urid.ports, &ports, sizeof(ports), urid.atomVector,
               LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

// The host restores on its main thread, as a VST 2.4 host loads a chunk, and
// the effect takes a load while it processes; the values it moved reach the
// ports through the editor's module. A port the host then writes back as it
// held it at the save is no news, so it undoes nothing of the load; any other
// value it sets applies.
LV2_State_Status Lv2Plugin::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle state) {
  size_t size = 0;
  uint32_t type = 0;
  uint32_t flags = 0;
  bool loaded = false;
  if (const void* bytes = retrieve(state, urid.chunk, &size, &type, &flags); bytes != nullptr) {
    if (type != urid.atomChunk) {
      return LV2_STATE_ERR_BAD_TYPE;
    }
    // The host's own load: it knows its state is the one it loaded.
    restoring = true;
    loaded = ondex->loadState(static_cast<const unsigned char*>(bytes), size);
  } else if (const void* index = retrieve(state, urid.factoryProgram, &size, &type, &flags);
             index != nullptr) {
    restoring = true;
    loaded = loadFactoryProgram(index, size, type);
  } else {
    return LV2_STATE_ERR_NO_PROPERTY;
  }
  restoring = false;
  if (!loaded) {
    return LV2_STATE_ERR_UNKNOWN;
  }
  if (const void* ports = retrieve(state, urid.ports, &size, &type, &flags); ports != nullptr) {
    restorePorts(ports, size, type);
  }
  return LV2_STATE_SUCCESS;
}

// Ports of another count or type than ours are not taken: each port then
// counts as moved only against what the last run saw.
void Lv2Plugin::restorePorts(const void* value, size_t size, uint32_t type) {
  PortsVector ports{};
  if (type != urid.atomVector || size != sizeof(ports)) {
    return;
  }
  std::memcpy(&ports, value, sizeof(ports));
  if (ports.body.child_type != urid.atomFloat || ports.body.child_size != sizeof(float)) {
    return;
  }
  for (int id = 0; id < kNumZelParameters; ++id) {
    restoredPorts[id].store(ports.values[id], std::memory_order_relaxed);
  }
  portsRestored.store(true);
}

// A factory preset chosen from the host's list loads as a preset file of
// that program does from the panel: the current program takes its name and
// values. The host writes the same values to the ports, but a port that
// already held one would not count as moved.
bool Lv2Plugin::loadFactoryProgram(const void* value, size_t size, uint32_t type) {
  if (type != urid.atomInt || size != sizeof(int32_t)) {
    return false;
  }
  const int32_t index = *static_cast<const int32_t*>(value);
  if (index < 0 || index >= kNumPrograms) {
    return false;
  }
  Program program{};
  copyProgramName(program.name, kFactoryPresets[index].name);
  std::copy(std::begin(kFactoryPresets[index].values), std::end(kFactoryPresets[index].values),
            std::begin(program.values));
  ondex->loadProgram(program);
  return true;
}